#include "stats_document.h"

#include <nlohmann/json.hpp>
#include <set>
#include <vector>

namespace zentrax {
namespace {

using Json = nlohmann::ordered_json;

Json statsObject(const StatValues& values) {
  Json stats = Json::object();
  for (int i = 0; i < kStatCount; ++i) stats[statName(kStats[i])] = values[i];
  return stats;
}

ImportedStats rejected(std::string error) {
  ImportedStats result;
  result.error = std::move(error);
  return result;
}

std::string jsonString(std::string_view text) {
  return Json(std::string(text)).dump();
}

// The parser's message without its "[json.exception.parse_error.101] " tag; it names the line and
// column.
std::string parseMessage(const Json::parse_error& e) {
  std::string message = e.what();
  const std::size_t tag = message.find("] ");
  if (message.starts_with("[json.exception.") && tag != std::string::npos) {
    message.erase(0, tag + 2);
  }
  return message;
}

}  // namespace

std::string statsJson(const StatValues& values) {
  return statsObject(values).dump(2) + "\n";
}

std::string statsDocument(const StatValues& values) {
  Json document = Json::object();
  document["format"] = kDocumentFormat;
  document["stats"] = statsObject(values);
  return document.dump(2) + "\n";
}

ImportedStats parseStatsDocument(std::string_view text) {
  // The DOM keeps only the last of two equal keys, so repeats are caught while parsing: a key
  // at depth d + 1 belongs to the object that started at depth d.
  std::vector<std::set<std::string>> keys;
  std::string repeated;
  int repeatedDepth = 0;
  const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
    const auto level = static_cast<std::size_t>(depth);
    if (event == Json::parse_event_t::object_start) {
      if (keys.size() < level + 2) keys.resize(level + 2);
      keys[level + 1].clear();
    } else if (event == Json::parse_event_t::key && repeated.empty()) {
      if (keys.size() < level + 1) keys.resize(level + 1);
      const std::string key = parsed.get<std::string>();
      if (!keys[level].insert(key).second) {
        repeated = key;
        repeatedDepth = depth;
      }
    }
    return true;
  };

  Json document;
  try {
    document = Json::parse(text.begin(), text.end(), noteKeys);
  } catch (const Json::parse_error& e) {
    return rejected(parseMessage(e));
  }
  if (!document.is_object()) return rejected("the document is not a JSON object");
  if (!repeated.empty()) {
    if (repeatedDepth == 2) return rejected("stat " + repeated + " is given twice");
    return rejected("key " + jsonString(repeated) + " is given twice");
  }

  const std::string expected = "expected " + jsonString(kDocumentFormat);
  for (const auto& [key, value] : document.items()) {
    if (key != "format" && key != "stats") {
      return rejected("unknown key " + jsonString(key) + "; expected \"format\" and \"stats\"");
    }
  }
  if (!document.contains("format")) return rejected("\"format\" is missing; " + expected);
  const Json& format = document["format"];
  if (!format.is_string() || format.get<std::string>() != kDocumentFormat) {
    return rejected("\"format\" is " + format.dump() + "; " + expected);
  }
  if (!document.contains("stats")) return rejected("\"stats\" is missing");
  const Json& stats = document["stats"];
  if (!stats.is_object()) return rejected("\"stats\" is not an object");

  ImportedStats result;
  for (const auto& [name, value] : stats.items()) {
    const int i = findStat(name);
    if (i < 0) return rejected("unknown stat " + jsonString(name));
    if (!value.is_number_integer()) {
      return rejected("stat " + name + ": " + value.dump() + " is not an integer");
    }
    const std::uint32_t max = slotMax(kStats[i]);
    const bool fits = value.is_number_unsigned()
                          ? value.get<std::uint64_t>() <= max
                          : value.get<std::int64_t>() >= 0 && value.get<std::int64_t>() <= max;
    if (!fits) {
      return rejected("stat " + name + ": " + value.dump() + " does not fit 0.." +
                      std::to_string(max));
    }
    result.values[i] = value.get<std::int64_t>();
    result.selection.set(static_cast<std::size_t>(i));
  }
  result.ok = true;
  return result;
}

}  // namespace zentrax

#include "cli_fixture.h"

#include <sstream>

#include "zentrax_stats.h"

namespace zentrax::test {

RunResult runTool(std::vector<std::string> args, FileIo& io) {
  std::ostringstream out;
  std::ostringstream err;
  RunResult result;
  result.status = runZentraxStats(std::move(args), out, err, io);
  result.out = out.str();
  result.err = err.str();
  return result;
}

std::vector<std::pair<std::string, std::int64_t>> readColumn(const RomImage& rom) {
  const char* motors[] = {"standart", "red", "black", "silver", "gold", "hyper", "mega"};
  const char* tires[] = {"standart", "skinny", "nobblies", "dynafit", "scoopers"};
  auto word = [&](std::uint32_t at) { return rom[at] | rom[at + 1] << 8; };
  std::vector<std::pair<std::string, std::int64_t>> stats;
  stats.emplace_back("base_top_speed", rom[kBase]);
  for (int m = 0; m < 7; ++m) {
    stats.emplace_back(std::string("motor_accel.") + motors[m],
                       rom[kMotor + m] + 256 * rom[kMotor + 7 + m]);
  }
  for (int t = 0; t < 5; ++t) {
    stats.emplace_back(std::string("tires.normal.") + tires[t], word(kTires + 2 * t));
  }
  for (int t = 0; t < 5; ++t) {
    stats.emplace_back(std::string("tires.yellow_ai_rare.") + tires[t], word(kTires + 10 + 2 * t));
  }
  for (int k = 0; k < 21; ++k) {
    stats.emplace_back("top_speed.car" + std::to_string(k / 7 + 1) + "." + motors[k % 7],
                       rom[kTop + 1 + 3 * k]);
  }
  for (int k = 0; k < 21; ++k) {
    stats.emplace_back("ai_accel.car" + std::to_string(k / 7 + 1) + "." + motors[k % 7],
                       word(kAi + 2 * k));
  }
  return stats;
}

RomImage withBytes(RomImage rom, const std::vector<std::pair<std::uint32_t, std::uint8_t>>& bytes) {
  for (const auto& [offset, value] : bytes) rom[offset] = value;
  return rom;
}

RomImage withBytes(RomImage rom,
                   std::initializer_list<std::pair<std::uint32_t, std::uint8_t>> bytes) {
  return withBytes(std::move(rom), std::vector(bytes));
}

int lineCount(const std::string& text) {
  int lines = 0;
  for (const char c : text) lines += c == '\n';
  return lines;
}

}  // namespace zentrax::test

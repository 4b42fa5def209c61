// The stats as JSON: the flat object of "show --json" and the document of export and import.
#pragma once

#include <string>
#include <string_view>

#include "stat_layout.h"

namespace zentrax {

inline constexpr std::string_view kDocumentFormat = "zentrax-stats/1";

// {NAME: INTEGER, ...} for all 60 stats in kStats order, pretty-printed, ending in a newline.
std::string statsJson(const StatValues& values);
// {"format": "zentrax-stats/1", "stats": {NAME: INTEGER, ...}}, ending in a newline.
std::string statsDocument(const StatValues& values);

struct ImportedStats {
  bool ok = false;
  std::string error;        // what is wrong, naming the stat or the line, when not ok
  StatValues values{};      // the given values, each within its slot
  StatSelection selection;  // which stats the document gives
};

// Reads a document as statsDocument writes it, with any subset of the stats. Strict, unlike field
// text: malformed JSON, a missing or other format, an unknown key or stat, a stat given twice,
// a value that is not an integer or does not fit its slot are all errors.
ImportedStats parseStatsDocument(std::string_view text);

}  // namespace zentrax

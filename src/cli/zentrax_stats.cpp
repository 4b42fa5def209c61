#include "zentrax_stats.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "bps_writer.h"
#include "field_text.h"
#include "ips_writer.h"
#include "replace_file.h"
#include "rom_file.h"
#include "stat_layout.h"
#include "stats_document.h"
#include "status_text.h"

namespace zentrax {
namespace {

constexpr const char* kProgram = "zentrax-stats";
constexpr std::string_view kCommands[] = {"show", "set", "export", "import", "diff"};

enum class PatchKind { none, ips, bps };

struct PatchTarget {
  PatchKind kind = PatchKind::none;
  std::string path;
};

class Tool {
 public:
  Tool(std::ostream& out, std::ostream& err, FileIo& io) : out_(out), err_(err), io_(io) {}

  int show(const std::string& rom, bool json);
  int set(const std::string& rom, const std::vector<std::string>& assignments,
          const PatchTarget& patch);
  int exportStats(const std::string& rom, const std::string& output);
  int importStats(const std::string& rom, const std::string& document, const PatchTarget& patch);
  int diff(const std::string& a, const std::string& b);

  int usage(const std::string& message) {
    err_ << kProgram << ": " << message << "\n";
    return kExitUsage;
  }

 private:
  int fail(const std::string& path, const RomResult& result) {
    err_ << kProgram << ": " << path << ": " << describe(result) << "\n";
    return exitCodeFor(result.status);
  }
  void warn(const std::string& message) { err_ << kProgram << ": warning: " << message << "\n"; }

  RomResult readRomStats(const std::string& rom, StatValues& values);
  // Stores the selected values, in place or as a patch. Prints old -> new for every selected
  // stat, or only for those that change.
  int store(const std::string& rom, const StatValues& wanted, const StatSelection& selection,
            const PatchTarget& patch, bool onlyChanged);
  // Leaves in note what became of the patch, for after the list of changes.
  int writePatch(const std::string& rom, const StatValues& wanted, const StatSelection& selection,
                 const PatchTarget& patch, StatValues& old, std::string& note);
  void printChanges(const StatValues& old, const StatValues& wanted, const StatSelection& selection,
                    bool onlyChanged);
  // True, after saying so, when writing output would replace the ROM itself.
  bool wouldReplace(const std::string& rom, const std::string& output);

  std::ostream& out_;
  std::ostream& err_;
  FileIo& io_;
};

RomResult Tool::readRomStats(const std::string& rom, StatValues& values) {
  RomFile file(io_);
  if (RomResult r = file.open(rom, OpenMode::read); !r.ok()) return r;
  if (RomResult r = checkSignature(file); !r.ok()) return r;
  if (RomResult r = readStats(file, kRecognisedLayout, values); !r.ok()) return r;
  return file.close();
}

bool Tool::wouldReplace(const std::string& rom, const std::string& output) {
  std::error_code ec;
  if (!std::filesystem::equivalent(rom, output, ec)) return false;
  usage(output + ": is the ROM itself; it must not be overwritten");
  return true;
}

// The table follows the editor's grid: one row per car stat over the seven motors, the two tire
// rows over the five tires.
std::string statTable(const StatValues& values) {
  constexpr int kLabelWidth = 18;
  constexpr int kColumnWidth = 9;
  std::ostringstream out;
  auto label = [&](std::string_view text) {
    out << std::left << std::setw(kLabelWidth) << text << std::right;
  };
  auto row = [&](std::string_view text, StatGroup group, int first, int count) {
    label(text);
    for (int i = 0; i < count; ++i) {
      out << std::setw(kColumnWidth) << values[statIndex(group, first + i)];
    }
    out << "\n";
  };
  label("base top speed:");
  out << std::setw(kColumnWidth) << values[statIndex(StatGroup::baseTopSpeed, 0)] << "\n\n";

  label("Motor:");
  for (std::string_view motor : kMotorNames) out << std::setw(kColumnWidth) << motor;
  out << "\n";
  row("acceleration:", StatGroup::motorAccel, 0, kMotorCount);
  for (int car = 0; car < kCarCount; ++car) {
    row("car" + std::to_string(car + 1) + " top speed:", StatGroup::topSpeed, car * kMotorCount,
        kMotorCount);
  }
  for (int car = 0; car < kCarCount; ++car) {
    row("AI car" + std::to_string(car + 1) + " accel:", StatGroup::aiAccel, car * kMotorCount,
        kMotorCount);
  }
  out << "\n";
  label("Tires:");
  for (std::string_view tire : kTireNames) out << std::setw(kColumnWidth) << tire;
  out << "\n";
  row("normal:", StatGroup::tiresNormal, 0, kTireCount);
  row("yellow AI rare:", StatGroup::tiresYellowAiRare, 0, kTireCount);
  return out.str();
}

int Tool::show(const std::string& rom, bool json) {
  StatValues values{};
  if (RomResult r = readRomStats(rom, values); !r.ok()) return fail(rom, r);
  out_ << (json ? statsJson(values) : statTable(values));
  return kExitOk;
}

int Tool::set(const std::string& rom, const std::vector<std::string>& assignments,
              const PatchTarget& patch) {
  // Every argument is checked before the file is opened, so a typo writes nothing.
  StatValues wanted{};
  StatSelection selection;
  std::vector<std::string> cuts;
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
      return usage("bad argument \"" + assignment + "\": expected NAME=VALUE");
    }
    const std::string name = assignment.substr(0, equals);
    const int i = findStat(name);
    if (i < 0) return usage("unknown stat \"" + name + "\" (see: " + kProgram + " set --help)");
    if (selection[i]) return usage("stat " + name + " is given twice");
    const std::int64_t value = FieldText::parse(std::string_view(assignment).substr(equals + 1));
    const std::uint32_t cut = cutToSlot(value, kStats[i]);
    if (cut != value) {
      cuts.push_back(name + ": " + std::to_string(value) + " does not fit 0.." +
                     std::to_string(slotMax(kStats[i])) + "; " + std::to_string(cut) +
                     " is written");
    }
    wanted[i] = cut;
    selection.set(static_cast<std::size_t>(i));
  }
  if (patch.kind != PatchKind::none && wouldReplace(rom, patch.path)) return kExitUsage;
  for (const std::string& cut : cuts) warn(cut);
  return store(rom, wanted, selection, patch, false);
}

int Tool::store(const std::string& rom, const StatValues& wanted, const StatSelection& selection,
                const PatchTarget& patch, bool onlyChanged) {
  StatValues old{};
  if (patch.kind != PatchKind::none) {
    std::string note;
    const int status = writePatch(rom, wanted, selection, patch, old, note);
    if (status != kExitOk) return status;
    printChanges(old, wanted, selection, onlyChanged);
    out_ << note;
    return kExitOk;
  }
  // The lock is held from reading the old values to the close, so no other program's write can
  // come in between.
  RomFile file(io_);
  if (RomResult r = file.open(rom, OpenMode::readWrite); !r.ok()) return fail(rom, r);
  if (RomResult r = checkSignature(file); !r.ok()) return fail(rom, r);
  if (RomResult r = readStats(file, kRecognisedLayout, old); !r.ok()) return fail(rom, r);
  if (RomResult r = encode(wanted, kRecognisedLayout, file, selection); !r.ok()) {
    return fail(rom, r);
  }
  if (RomResult r = file.flush(); !r.ok()) return fail(rom, r);
  if (RomResult r = file.close(); !r.ok()) return fail(rom, r);
  printChanges(old, wanted, selection, onlyChanged);
  return kExitOk;
}

int Tool::writePatch(const std::string& rom, const StatValues& wanted,
                     const StatSelection& selection, const PatchTarget& patch, StatValues& old,
                     std::string& note) {
  RomImage image;
  if (RomResult r = readRomImage(rom, image, io_); !r.ok()) return fail(rom, r);
  StatLayout layout;
  if (!identify(image, layout)) return fail(rom, {RomStatus::notRecognised, 0});
  // As in place, the file must hold every table, not only the bytes of the edited stats.
  if (image.size() < statsEnd(layout)) return fail(rom, {RomStatus::tooShort, 0});
  old = decode(image, layout);
  RomImage edited = image;
  if (!encodeInto(edited, wanted, layout, selection)) return fail(rom, {RomStatus::tooShort, 0});

  std::vector<std::uint8_t> bytes;
  bool noChange = false;
  if (patch.kind == PatchKind::ips) {
    IpsPatch ips = makeIpsPatch(image, edited);
    if (ips.status == IpsStatus::offsetTooLarge) {
      return usage(rom + ": a change lies past offset 0xFFFFFF, which IPS cannot reach; use --bps");
    }
    noChange = ips.status == IpsStatus::noChange;
    bytes = std::move(ips.bytes);
  } else {
    BpsPatch bps = makeBpsPatch(image, edited);
    noChange = bps.status == BpsStatus::noChange;
    bytes = std::move(bps.bytes);
  }
  if (noChange) {
    note = "no byte changes; " + patch.path + " not written\n";
    return kExitOk;
  }
  if (RomResult r = replaceFile(patch.path, bytes, io_); !r.ok()) return fail(patch.path, r);
  note = std::string("wrote ") + (patch.kind == PatchKind::ips ? "IPS" : "BPS") + " patch " +
         patch.path + " (" + std::to_string(bytes.size()) + " bytes); " + rom + " left unchanged\n";
  return kExitOk;
}

void Tool::printChanges(const StatValues& old, const StatValues& wanted,
                        const StatSelection& selection, bool onlyChanged) {
  for (int i = 0; i < kStatCount; ++i) {
    if (!selection[i] || (onlyChanged && old[i] == wanted[i])) continue;
    out_ << statName(kStats[i]) << ": " << old[i] << " -> " << wanted[i] << "\n";
  }
}

int Tool::exportStats(const std::string& rom, const std::string& output) {
  if (!output.empty() && wouldReplace(rom, output)) return kExitUsage;
  StatValues values{};
  if (RomResult r = readRomStats(rom, values); !r.ok()) return fail(rom, r);
  const std::string document = statsDocument(values);
  if (output.empty()) {
    out_ << document;
    return kExitOk;
  }
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(document.data()), document.size());
  if (RomResult r = replaceFile(output, bytes, io_); !r.ok()) return fail(output, r);
  return kExitOk;
}

int Tool::importStats(const std::string& rom, const std::string& document,
                      const PatchTarget& patch) {
  if (patch.kind != PatchKind::none && wouldReplace(rom, patch.path)) return kExitUsage;
  RomImage text;
  if (RomResult r = readRomImage(document, text, io_); !r.ok()) return fail(document, r);
  const ImportedStats imported =
      parseStatsDocument(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  if (!imported.ok) return usage(document + ": " + imported.error + "; nothing written");
  return store(rom, imported.values, imported.selection, patch, true);
}

int Tool::diff(const std::string& a, const std::string& b) {
  // Any trouble is 2, as with diff(1), so that 1 always means "they differ".
  StatValues first{};
  StatValues second{};
  for (const auto& [path, values] : {std::pair(&a, &first), std::pair(&b, &second)}) {
    if (RomResult r = readRomStats(*path, *values); !r.ok()) {
      fail(*path, r);
      return kExitUsage;
    }
  }
  int status = kExitOk;
  for (int i = 0; i < kStatCount; ++i) {
    if (first[i] == second[i]) continue;
    out_ << statName(kStats[i]) << ": " << first[i] << " -> " << second[i] << "\n";
    status = kExitDiffer;
  }
  return status;
}

constexpr const char* kStatNameHelp =
    "Stat names:\n"
    "  base_top_speed\n"
    "  motor_accel.M                    M: standart red black silver gold hyper mega\n"
    "  tires.normal.T                   T: standart skinny nobblies dynafit scoopers\n"
    "  tires.yellow_ai_rare.T\n"
    "  top_speed.carJ.M                 J: 1 2 3\n"
    "  ai_accel.carJ.M\n"
    "'zentrax-stats show ROM --json' lists them all with their values.";

void addPatchOptions(CLI::App& command, std::string& ips, std::string& bps) {
  // An empty name must not fall back to changing ROM in place: the user asked for ROM untouched.
  auto named = [](const std::string& path) {
    return path.empty() ? std::string("the patch file name is empty") : std::string();
  };
  command.add_option("--ips", ips, "leave ROM untouched; write an IPS patch that makes the edit")
      ->type_name("PATCH")
      ->check(named);
  command.add_option("--bps", bps, "leave ROM untouched; write a BPS patch that makes the edit")
      ->type_name("PATCH")
      ->check(named);
}

PatchTarget patchTarget(const std::string& ips, const std::string& bps) {
  if (!ips.empty()) return {PatchKind::ips, ips};
  if (!bps.empty()) return {PatchKind::bps, bps};
  return {};
}

}  // namespace

int runZentraxStats(std::vector<std::string> args, std::ostream& out, std::ostream& err,
                    FileIo& io) {
  Tool tool(out, err, io);
  if (args.empty()) {
    return tool.usage("no command given; the commands are show, set, export, import and diff");
  }
  if (!args[0].starts_with("-") &&
      std::find(std::begin(kCommands), std::end(kCommands), args[0]) == std::end(kCommands)) {
    return tool.usage("unknown command \"" + args[0] +
                      "\"; the commands are show, set, export, import and diff");
  }

  CLI::App app("Shows and edits the car stats inside a Zentrax cartridge image (.nes).", kProgram);
  app.require_subcommand(1);
  app.footer(
      "Run 'zentrax-stats COMMAND --help' for the details of a command.\n"
      "Exit status: 0 done, 2 bad usage or rejected document, 3 file missing or unreadable,\n"
      "4 file busy, 5 not a recognised image or too short, 6 write failed;\n"
      "diff: 0 equal, 1 different, 2 trouble.");

  std::string rom;
  std::string second;
  std::string ips;
  std::string bps;
  std::string output;
  std::vector<std::string> assignments;
  bool json = false;

  CLI::App* show = app.add_subcommand("show", "Print the 60 stats, grouped like the editor's grid");
  show->add_option("ROM", rom, "the .nes file")->required();
  show->add_flag("--json", json, "print one flat JSON object, stat name to integer, instead");

  CLI::App* set = app.add_subcommand(
      "set", "Change stats in the file in place, or write the change as a patch");
  set->add_option("ROM", rom, "the .nes file; it must exist and is never created")->required();
  set->add_option("NAME=VALUE", assignments,
                  "stat and new value: decimal, $hex or %binary, as in the editor's fields")
      ->required();
  addPatchOptions(*set, ips, bps);
  set->footer(kStatNameHelp);

  CLI::App* exportCommand =
      app.add_subcommand("export", "Write the stats as a JSON document (\"zentrax-stats/1\")");
  exportCommand->add_option("ROM", rom, "the .nes file")->required();
  exportCommand->add_option("-o,--output", output, "write to FILE instead of standard output")
      ->type_name("FILE");

  CLI::App* importCommand = app.add_subcommand(
      "import", "Apply a JSON document as export writes it (any of the stats), like set");
  importCommand->add_option("ROM", rom, "the .nes file; it must exist and is never created")
      ->required();
  importCommand->add_option("FILE", second, "the JSON document")->required();
  addPatchOptions(*importCommand, ips, bps);
  importCommand->footer(kStatNameHelp);

  CLI::App* diff = app.add_subcommand("diff", "List the stats that differ between two images");
  diff->add_option("A", rom, "the first .nes file")->required();
  diff->add_option("B", second, "the second .nes file")->required();

  try {
    std::reverse(args.begin(), args.end());  // CLI11 takes its arguments last first
    app.parse(args);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    return tool.usage(std::string(e.what()) + " (see --help)");
  }

  if (!ips.empty() && !bps.empty()) return tool.usage("--ips and --bps cannot be used together");
  if (show->parsed()) return tool.show(rom, json);
  if (set->parsed()) return tool.set(rom, assignments, patchTarget(ips, bps));
  if (exportCommand->parsed()) return tool.exportStats(rom, output);
  if (importCommand->parsed()) return tool.importStats(rom, second, patchTarget(ips, bps));
  if (diff->parsed()) return tool.diff(rom, second);
  return tool.usage("no command given (see --help)");
}

}  // namespace zentrax

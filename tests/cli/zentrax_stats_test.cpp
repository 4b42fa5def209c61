#include "zentrax_stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_fixture.h"
#include "faulty_file_io.h"
#include "patch_appliers.h"
#include "rom_fixture.h"
#include "status_text.h"

namespace zentrax {
namespace {

using Json = nlohmann::ordered_json;
using test::Fault;
using test::FaultyFileIo;
using test::FileOp;
using test::kAi;
using test::kBase;
using test::kMotor;
using test::kTires;
using test::kTop;
using test::lineCount;
using test::makeRom;
using test::makeUnknownRom;
using test::readColumn;
using test::readFile;
using test::runTool;
using test::sameBytes;
using test::TempDir;
using test::withBytes;
using test::writeFile;

class ZentraxStatsTest : public ::testing::Test {
 protected:
  std::string put(const std::string& name, const RomImage& content) {
    const auto path = dir_.file(name);
    writeFile(path, content);
    return path.string();
  }
  std::string path(const std::string& name) const { return dir_.file(name).string(); }
  std::vector<std::string> folderContent() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
};

// A failure is one line on stderr and nothing on stdout.
::testing::AssertionResult failedWith(const test::RunResult& run, int status,
                                      const std::string& message) {
  if (run.status != status) {
    return ::testing::AssertionFailure()
           << "exit status " << run.status << ", expected " << status << "; stderr: " << run.err;
  }
  if (run.err.find(message) == std::string::npos || lineCount(run.err) != 1) {
    return ::testing::AssertionFailure()
           << "stderr is not one line with \"" << message << "\": " << run.err;
  }
  if (!run.out.empty()) return ::testing::AssertionFailure() << "stdout: " << run.out;
  return ::testing::AssertionSuccess();
}

TEST_F(ZentraxStatsTest, ShowJsonPrintsEveryStatInOrder) {
  const RomImage rom = makeRom();
  const test::RunResult run = runTool({"show", put("game.nes", rom), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json json = Json::parse(run.out);
  std::vector<std::pair<std::string, std::int64_t>> shown;
  for (const auto& [name, value] : json.items())
    shown.emplace_back(name, value.get<std::int64_t>());
  EXPECT_EQ(shown, readColumn(rom));
}

TEST_F(ZentraxStatsTest, ShowPrintsTheRowsOfTheEditorsGrid) {
  const RomImage rom = makeRom();
  const test::RunResult run = runTool({"show", put("game.nes", rom)});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto stats = readColumn(rom);
  // Row label, then the position in the read column of its first value and the value count.
  struct Row {
    const char* label;
    int first;
    int count;
  };
  const Row rows[] = {
      {"base top speed:", 0, 1},  {"acceleration:", 1, 7},    {"car1 top speed:", 18, 7},
      {"car2 top speed:", 25, 7}, {"car3 top speed:", 32, 7}, {"AI car1 accel:", 39, 7},
      {"AI car2 accel:", 46, 7},  {"AI car3 accel:", 53, 7},  {"normal:", 8, 5},
      {"yellow AI rare:", 13, 5},
  };
  std::vector<std::string> lines;
  std::istringstream text(run.out);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  for (const Row& row : rows) {
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [&](const std::string& l) { return l.starts_with(row.label); });
    if (line == lines.end()) {
      ADD_FAILURE() << "no row " << row.label;
      continue;
    }
    std::istringstream numbers(line->substr(std::strlen(row.label)));
    std::vector<std::int64_t> values;
    for (std::int64_t v; numbers >> v;) values.push_back(v);
    std::vector<std::int64_t> expected;
    for (int i = 0; i < row.count; ++i) expected.push_back(stats[row.first + i].second);
    EXPECT_EQ(values, expected) << row.label;
  }
  EXPECT_NE(run.out.find("standart      red    black   silver     gold    hyper     mega"),
            std::string::npos);
  EXPECT_NE(run.out.find("standart   skinny nobblies  dynafit scoopers"), std::string::npos);
}

struct SetCase {
  const char* name;
  std::vector<std::string> assignments;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes;  // what the write column stores
  std::vector<std::string> changes;  // stdout lines, old value taken from the fixture
  const char* warning;               // part of the cut warning, or nullptr
};

std::vector<SetCase> setCases() {
  const auto stats = readColumn(makeRom());
  auto was = [&](int i) {
    return stats[i].first + ": " + std::to_string(stats[i].second) + " -> ";
  };
  return {
      {"byte", {"base_top_speed=99"}, {{kBase, 99}}, {was(0) + "99"}, nullptr},
      {"byte cut to its slot",
       {"base_top_speed=300"},
       {{kBase, 44}},
       {was(0) + "44"},
       "base_top_speed: 300 does not fit 0..255; 44 is written"},
      {"motor value split into low and high byte",
       {"motor_accel.black=$1234"},
       {{kMotor + 2, 0x34}, {kMotor + 9, 0x12}},
       {was(3) + "4660"},
       nullptr},
      {"negative word in two's complement",
       {"tires.normal.skinny=-1"},
       {{kTires + 2, 0xFF}, {kTires + 3, 0xFF}},
       {was(9) + "65535"},
       "tires.normal.skinny: -1 does not fit 0..65535; 65535 is written"},
      {"yellow AI rare row",
       {"tires.yellow_ai_rare.scoopers=%101"},
       {{kTires + 18, 5}, {kTires + 19, 0}},
       {was(17) + "5"},
       nullptr},
      {"middle byte of a top speed record",
       {"top_speed.car2.gold=77"},
       {{kTop + 1 + 3 * 11, 77}},
       {was(18 + 11) + "77"},
       nullptr},
      {"word cut to its slot",
       {"ai_accel.car3.mega=65794"},
       {{kAi + 40, 0x02}, {kAi + 41, 0x01}},
       {was(59) + "258"},
       "ai_accel.car3.mega: 65794 does not fit 0..65535; 258 is written"},
      {"several stats, printed in table order",
       {"top_speed.car3.mega=3", "base_top_speed=1", "top_speed.car1.standart=2"},
       {{kBase, 1}, {kTop + 1, 2}, {kTop + 1 + 3 * 20, 3}},
       {was(0) + "1", was(18) + "2", was(38) + "3"},
       nullptr},
  };
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST_F(ZentraxStatsTest, SetWritesExactlyTheBytesOfTheGivenStats) {
  const RomImage rom = makeRom();
  for (const SetCase& c : setCases()) {
    SCOPED_TRACE(c.name);
    const RomImage expected = withBytes(rom, c.bytes);
    ASSERT_FALSE(sameBytes(rom, expected)) << "the case changes nothing";
    std::vector<std::string> args = {"set", put("game.nes", rom)};
    args.insert(args.end(), c.assignments.begin(), c.assignments.end());
    const test::RunResult run = runTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(sameBytes(expected, readFile(path("game.nes"))));
    EXPECT_EQ(run.out, joined(c.changes));
    if (c.warning) {
      EXPECT_NE(run.err.find(std::string("warning: ") + c.warning), std::string::npos) << run.err;
    } else {
      EXPECT_EQ(run.err, "");
    }
  }
}

TEST_F(ZentraxStatsTest, PatchesFromSetMakeTheSameImageAndLeaveTheRomAlone) {
  const RomImage rom = makeRom();
  for (const SetCase& c : setCases()) {
    for (const char* kind : {"--ips", "--bps"}) {
      SCOPED_TRACE(std::string(c.name) + " " + kind);
      const std::string romPath = put("game.nes", rom);
      const std::string patchPath = path("edit.patch");
      std::filesystem::remove(patchPath);
      std::vector<std::string> args = {"set", romPath, kind, patchPath};
      args.insert(args.end(), c.assignments.begin(), c.assignments.end());
      const test::RunResult run = runTool(args);
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_TRUE(sameBytes(rom, readFile(romPath)));
      EXPECT_TRUE(run.out.starts_with(joined(c.changes))) << run.out;
      const RomImage patch = readFile(patchPath);
      const std::optional<RomImage> patched =
          std::string(kind) == "--ips" ? test::applyIps(patch, rom) : test::applyBps(patch, rom);
      if (!patched) {
        ADD_FAILURE() << "malformed patch";
        continue;
      }
      EXPECT_TRUE(sameBytes(withBytes(rom, c.bytes), *patched));
      EXPECT_EQ(folderContent(), (std::vector<std::string>{"edit.patch", "game.nes"}));
    }
  }
}

TEST_F(ZentraxStatsTest, APatchWithoutChangesIsNotWritten) {
  const RomImage rom = makeRom();
  const std::string romPath = put("game.nes", rom);
  const std::string same = "base_top_speed=" + std::to_string(rom[kBase]);
  for (const char* kind : {"--ips", "--bps"}) {
    const test::RunResult run = runTool({"set", romPath, same, kind, path("edit.patch")});
    EXPECT_EQ(run.status, 0) << kind;
    EXPECT_NE(run.out.find("not written"), std::string::npos) << kind;
    EXPECT_FALSE(std::filesystem::exists(path("edit.patch"))) << kind;
  }
}

TEST_F(ZentraxStatsTest, RefusalsWriteNothing) {
  struct Case {
    const char* name;
    std::vector<std::string> args;  // "ROM" stands for the file of the case
    RomImage content;
    int status;
    const char* message;
  };
  const RomImage rom = makeRom();
  const Case cases[] = {
      {"unknown command", {"frobnicate", "ROM"}, rom, kExitUsage, "unknown command \"frobnicate\""},
      {"unknown option", {"show", "ROM", "--jason"}, rom, kExitUsage, "--jason"},
      {"no command", {}, rom, kExitUsage, "no command given"},
      {"unknown stat after a good one",
       {"set", "ROM", "base_top_speed=1", "motor_accel.blue=2"},
       rom,
       kExitUsage,
       "unknown stat \"motor_accel.blue\""},
      {"assignment without =",
       {"set", "ROM", "base_top_speed"},
       rom,
       kExitUsage,
       "bad argument \"base_top_speed\""},
      {"stat given twice",
       {"set", "ROM", "base_top_speed=1", "top_speed.car1.red=2", "base_top_speed=3"},
       rom,
       kExitUsage,
       "stat base_top_speed is given twice"},
      {"set without assignments", {"set", "ROM"}, rom, kExitUsage, "NAME=VALUE"},
      {"both patch kinds",
       {"set", "ROM", "base_top_speed=1", "--ips", "a.ips", "--bps", "a.bps"},
       rom,
       kExitUsage,
       "--ips and --bps cannot be used together"},
      {"empty IPS patch name, which must not mean in place",
       {"set", "ROM", "base_top_speed=1", "--ips", ""},
       rom,
       kExitUsage,
       "the patch file name is empty"},
      {"empty BPS patch name on import",
       {"import", "ROM", "doc.json", "--bps", ""},
       rom,
       kExitUsage,
       "the patch file name is empty"},
      {"patch over the ROM itself",
       {"set", "ROM", "base_top_speed=1", "--ips", "ROM"},
       rom,
       kExitUsage,
       "is the ROM itself"},
      {"export over the ROM itself",
       {"export", "ROM", "-o", "ROM"},
       rom,
       kExitUsage,
       "is the ROM itself"},
      {"set on an unknown file",
       {"set", "ROM", "base_top_speed=1"},
       makeUnknownRom(),
       kExitNotRecognised,
       "not a recognised Zentrax image"},
      {"show on an unknown file",
       {"show", "ROM"},
       makeUnknownRom(),
       kExitNotRecognised,
       "not a recognised Zentrax image"},
      {"file ends inside the signature",
       {"show", "ROM"},
       makeRom(kSignatureOffset + 3),
       kExitNotRecognised,
       "not a recognised Zentrax image"},
      {"set on a file that ends before the last tire byte",
       {"set", "ROM", "base_top_speed=1"},
       makeRom(kTires + 19),
       kExitNotRecognised,
       "too short"},
      {"show on a file that ends before the last tire byte",
       {"show", "ROM"},
       makeRom(kTires + 19),
       kExitNotRecognised,
       "too short"},
      {"patch from a file that ends before the last tire byte",
       {"set", "ROM", "base_top_speed=1", "--bps", "a.bps"},
       makeRom(kTires + 19),
       kExitNotRecognised,
       "too short"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string romPath = put("game.nes", c.content);
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
      if (arg == "ROM") arg = romPath;
      if (arg.ends_with(".ips") || arg.ends_with(".bps")) arg = path(arg);
    }
    EXPECT_TRUE(failedWith(runTool(args), c.status, c.message));
    EXPECT_TRUE(sameBytes(c.content, readFile(romPath)));
    EXPECT_EQ(folderContent(), std::vector<std::string>{"game.nes"});
  }
}

TEST_F(ZentraxStatsTest, FilesThatCannotBeOpened) {
  const std::string missing = path("nothing.nes");
  const std::string folder = dir_.path().string();
  EXPECT_TRUE(failedWith(runTool({"show", missing}), kExitUnreadable, "nothing.nes: no such file"));
  EXPECT_TRUE(
      failedWith(runTool({"set", missing, "base_top_speed=1"}), kExitUnreadable, "no such file"));
  EXPECT_FALSE(std::filesystem::exists(missing)) << "set created the file";
  EXPECT_TRUE(failedWith(runTool({"set", folder, "base_top_speed=1"}), kExitUnreadable,
                         "not a regular file"));
  EXPECT_TRUE(
      failedWith(runTool({"show", put("empty.nes", {})}), kExitNotRecognised, "not a recognised"));
}

TEST_F(ZentraxStatsTest, AFileLockedByAnotherProgramIsBusy) {
  const RomImage rom = makeRom();
  const std::string romPath = put("game.nes", rom);
  test::ForeignLock lock(romPath);
  EXPECT_TRUE(failedWith(runTool({"set", romPath, "base_top_speed=1"}), kExitBusy, "busy"));
  EXPECT_TRUE(failedWith(runTool({"show", romPath}), kExitBusy, "busy"));
  EXPECT_TRUE(failedWith(runTool({"set", romPath, "base_top_speed=1", "--ips", path("a.ips")}),
                         kExitBusy, "busy"));
  EXPECT_TRUE(sameBytes(rom, readFile(romPath)));
}

TEST_F(ZentraxStatsTest, FailedSystemCallsAreNeverReportedAsSuccess) {
  struct Case {
    const char* name;
    Fault fault;
    const char* patch;  // nullptr to edit in place
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"open refused",
       {FileOp::open, 1, EACCES},
       nullptr,
       kExitUnreadable,
       "access denied: Permission denied"},
      {"read fails",
       {FileOp::pread, 1, EIO},
       nullptr,
       kExitUnreadable,
       "cannot read the file: Input/output error"},
      {"write fails",
       {FileOp::pwrite, 1, EIO},
       nullptr,
       kExitWriteFailed,
       "game.nes: write failed: Input/output error"},
      {"disk full",
       {FileOp::pwrite, 1, ENOSPC},
       nullptr,
       kExitWriteFailed,
       "write failed: No space left on device"},
      {"flush fails",
       {FileOp::fsync, 1, EIO},
       nullptr,
       kExitWriteFailed,
       "cannot flush the written bytes to disk: Input/output error"},
      {"close fails",
       {FileOp::close, 1, EIO},
       nullptr,
       kExitWriteFailed,
       "closing the file failed: Input/output error"},
      {"patch write fails",
       {FileOp::pwrite, 1, EIO},
       "--ips",
       kExitWriteFailed,
       "edit.patch: write failed: Input/output error"},
      {"patch flush fails",
       {FileOp::fsync, 1, EIO},
       "--bps",
       kExitWriteFailed,
       "edit.patch: cannot flush"},
      // The ROM's close comes first, then the patch's.
      {"patch close fails",
       {FileOp::close, 2, EIO},
       "--ips",
       kExitWriteFailed,
       "edit.patch: closing the file failed"},
  };
  const RomImage rom = makeRom();
  const RomImage oldPatch = {'o', 'l', 'd'};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string romPath = put("game.nes", rom);
    std::vector<std::string> args = {"set", romPath, "base_top_speed=1", "ai_accel.car1.red=2"};
    if (c.patch) {
      put("edit.patch", oldPatch);
      args.insert(args.end(), {c.patch, path("edit.patch")});
    }
    FaultyFileIo io(c.fault);
    EXPECT_TRUE(failedWith(runTool(args, io), c.status, c.message));
    EXPECT_TRUE(io.faultHit());
    if (c.patch) {
      EXPECT_TRUE(sameBytes(rom, readFile(romPath)));
      EXPECT_TRUE(sameBytes(oldPatch, readFile(path("edit.patch")))) << "patch replaced";
      EXPECT_EQ(folderContent(), (std::vector<std::string>{"edit.patch", "game.nes"}));
      std::filesystem::remove(path("edit.patch"));
    }
  }
}

std::string document(const std::string& stats) {
  return "{\"format\": \"zentrax-stats/1\", \"stats\": {" + stats + "}}";
}

RomImage textFile(const std::string& text) {
  return RomImage(text.begin(), text.end());
}

TEST_F(ZentraxStatsTest, EveryFailedCallOfEveryCommandIsReported) {
  // Each command runs once cleanly to count its calls, then once for each call failing.
  const std::vector<std::vector<std::string>> commands = {
      {"show", "ROM"},
      {"set", "ROM", "base_top_speed=1"},
      {"set", "ROM", "base_top_speed=1", "--ips", "OUT"},
      {"import", "ROM", "DOC", "--bps", "OUT"},
      {"export", "ROM", "-o", "OUT"},
  };
  const RomImage rom = makeRom();
  const std::string docPath = put("stats.json", textFile(document("\"base_top_speed\": 1")));
  for (const std::vector<std::string>& command : commands) {
    std::vector<std::string> args = command;
    for (std::string& arg : args) {
      if (arg == "ROM") arg = path("game.nes");
      if (arg == "DOC") arg = docPath;
      if (arg == "OUT") arg = path("out.file");
    }
    put("game.nes", rom);
    FaultyFileIo counter;
    ASSERT_EQ(runTool(args, counter).status, 0) << args[0];
    std::filesystem::remove(path("out.file"));
    for (int op = 0; op < test::kFileOpCount; ++op) {
      for (int nth = 1; nth <= counter.calls(static_cast<FileOp>(op)); ++nth) {
        const char* opNames[] = {"open", "lock", "fstat", "pread", "pwrite", "fsync", "close"};
        std::string label;
        for (const std::string& word : command) label += word + " ";
        SCOPED_TRACE(label + "with " + opNames[op] + " call " + std::to_string(nth) + " failing");
        put("game.nes", rom);
        FaultyFileIo io({static_cast<FileOp>(op), nth, EIO});
        const test::RunResult run = runTool(args, io);
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folderContent(), (std::vector<std::string>{"game.nes", "stats.json"}));
        const bool editsInPlace = command.size() == 3 && command[0] == "set";
        if (!editsInPlace) {
          EXPECT_TRUE(sameBytes(rom, readFile(path("game.nes"))));
        }
      }
    }
  }
}

TEST(StatusText, EveryStatusHasAMessageAndOnlyOkExitsWithZero) {
  for (int s = static_cast<int>(RomStatus::ok); s <= static_cast<int>(RomStatus::closeFailed);
       ++s) {
    const auto status = static_cast<RomStatus>(s);
    EXPECT_TRUE(hasMessage(status)) << s;
    EXPECT_EQ(exitCodeFor(status) == 0, status == RomStatus::ok) << s;
  }
}

TEST_F(ZentraxStatsTest, ImportRejectsABadDocumentAndWritesNothing) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"malformed JSON names the line",
       "{\n  \"format\": \"zentrax-stats/1\",\n  \"stats\": {\n    \"base_top_speed\": 1,\n  "
       "}\n}\n",
       "parse error at line 5"},
      {"not an object", "[1, 2]", "the document is not a JSON object"},
      {"format missing", "{\"stats\": {}}", "\"format\" is missing"},
      {"other format", "{\"format\": \"zentrax-stats/2\", \"stats\": {}}",
       "\"format\" is \"zentrax-stats/2\""},
      {"format not a string", "{\"format\": 1, \"stats\": {}}", "\"format\" is 1"},
      {"unknown key", "{\"format\": \"zentrax-stats/1\", \"stats\": {}, \"notes\": \"\"}",
       "unknown key \"notes\""},
      {"stats missing", "{\"format\": \"zentrax-stats/1\"}", "\"stats\" is missing"},
      {"stats not an object", "{\"format\": \"zentrax-stats/1\", \"stats\": [1]}",
       "\"stats\" is not an object"},
      {"unknown stat after a good one", document("\"base_top_speed\": 1, \"motor_accel.blue\": 2"),
       "unknown stat \"motor_accel.blue\""},
      {"string value", document("\"base_top_speed\": \"5\""),
       "stat base_top_speed: \"5\" is not an integer"},
      {"fraction", document("\"ai_accel.car1.red\": 5.5"),
       "stat ai_accel.car1.red: 5.5 is not an integer"},
      {"boolean", document("\"base_top_speed\": 1, \"motor_accel.red\": true"),
       "stat motor_accel.red: true is not an integer"},
      {"byte too large", document("\"top_speed.car1.red\": 256"),
       "stat top_speed.car1.red: 256 does not fit 0..255"},
      {"word too large", document("\"tires.normal.dynafit\": 65536"),
       "stat tires.normal.dynafit: 65536 does not fit 0..65535"},
      {"motor pair too large", document("\"motor_accel.mega\": 70000"),
       "stat motor_accel.mega: 70000 does not fit 0..65535"},
      {"negative", document("\"base_top_speed\": -1"), "stat base_top_speed: -1 does not fit"},
      {"stat given twice", document("\"base_top_speed\": 1, \"base_top_speed\": 2"),
       "stat base_top_speed is given twice"},
      {"format given twice",
       "{\"format\": \"zentrax-stats/1\", \"format\": \"zentrax-stats/1\", \"stats\": {}}",
       "key \"format\" is given twice"},
  };
  const RomImage rom = makeRom();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string romPath = put("game.nes", rom);
    const std::string docPath = put("stats.json", textFile(c.text));
    EXPECT_TRUE(failedWith(runTool({"import", romPath, docPath}), kExitUsage,
                           "stats.json: " + std::string(c.message)));
    EXPECT_TRUE(failedWith(runTool({"import", romPath, docPath, "--ips", path("a.ips")}),
                           kExitUsage, c.message));
    EXPECT_TRUE(sameBytes(rom, readFile(romPath)));
    EXPECT_EQ(folderContent(), (std::vector<std::string>{"game.nes", "stats.json"}));
  }
  EXPECT_TRUE(failedWith(runTool({"import", path("game.nes"), path("none.json")}), kExitUnreadable,
                         "none.json: no such file"));
}

TEST_F(ZentraxStatsTest, ExportThenImportChangesNoByte) {
  const RomImage rom = makeRom();
  const std::string romPath = put("game.nes", rom);
  const test::RunResult exported = runTool({"export", romPath, "-o", path("stats.json")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, "");
  FaultyFileIo io;
  const test::RunResult imported = runTool({"import", romPath, path("stats.json")}, io);
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, "") << "no stat changes";
  EXPECT_TRUE(sameBytes(rom, readFile(romPath)));
  EXPECT_EQ(io.calls(FileOp::fsync), 1);  // the import did reach the write

  const test::RunResult asPatch =
      runTool({"import", romPath, path("stats.json"), "--ips", path("a.ips")});
  EXPECT_EQ(asPatch.status, 0) << asPatch.err;
  EXPECT_FALSE(std::filesystem::exists(path("a.ips")));
}

TEST_F(ZentraxStatsTest, ExportWritesTheFormatAndTheStatsOfShow) {
  const RomImage rom = makeRom();
  const std::string romPath = put("game.nes", rom);
  const test::RunResult exported = runTool({"export", romPath});
  ASSERT_EQ(exported.status, 0) << exported.err;
  const Json json = Json::parse(exported.out);
  EXPECT_EQ(json.size(), 2u);
  EXPECT_EQ(json["format"], "zentrax-stats/1");
  EXPECT_EQ(json["stats"], Json::parse(runTool({"show", romPath, "--json"}).out));
}

TEST_F(ZentraxStatsTest, ImportOfASubsetWritesOnlyThoseStats) {
  const RomImage rom = makeRom();
  const RomImage expected =
      withBytes(rom, {{kMotor + 2, 0x34}, {kMotor + 9, 0x12}, {kTop + 1 + 3 * 11, 77}});
  const std::string docPath = put(
      "stats.json", textFile(document("\"top_speed.car2.gold\": 77, \"motor_accel.black\": 4660")));
  const std::string romPath = put("game.nes", rom);

  const test::RunResult patch = runTool({"import", romPath, docPath, "--bps", path("a.bps")});
  ASSERT_EQ(patch.status, 0) << patch.err;
  const std::optional<RomImage> patched = test::applyBps(readFile(path("a.bps")), rom);
  ASSERT_TRUE(patched.has_value());
  EXPECT_TRUE(sameBytes(expected, *patched));
  EXPECT_TRUE(sameBytes(rom, readFile(romPath)));

  const test::RunResult inPlace = runTool({"import", romPath, docPath});
  ASSERT_EQ(inPlace.status, 0) << inPlace.err;
  EXPECT_TRUE(sameBytes(expected, readFile(romPath)));
  const auto stats = readColumn(rom);
  EXPECT_EQ(inPlace.out, "motor_accel.black: " + std::to_string(stats[3].second) +
                             " -> 4660\ntop_speed.car2.gold: " + std::to_string(stats[29].second) +
                             " -> 77\n");
}

TEST_F(ZentraxStatsTest, DiffExitsLikeDiff) {
  const RomImage rom = makeRom();
  const std::string a = put("a.nes", rom);
  const std::string same = put("same.nes", rom);
  const std::string other = put("other.nes", withBytes(rom, {{kTop + 1 + 3 * 11, 77}, {kBase, 1}}));
  const std::string unknown = put("unknown.nes", makeUnknownRom());
  const auto stats = readColumn(rom);

  const test::RunResult equal = runTool({"diff", a, same});
  EXPECT_EQ(equal.status, 0);
  EXPECT_EQ(equal.out, "");

  const test::RunResult differ = runTool({"diff", a, other});
  EXPECT_EQ(differ.status, 1);
  EXPECT_EQ(differ.out, "base_top_speed: " + std::to_string(stats[0].second) +
                            " -> 1\ntop_speed.car2.gold: " + std::to_string(stats[29].second) +
                            " -> 77\n");

  EXPECT_TRUE(failedWith(runTool({"diff", a, path("none.nes")}), 2, "none.nes: no such file"));
  EXPECT_TRUE(failedWith(runTool({"diff", unknown, a}), 2, "unknown.nes: not a recognised"));
  EXPECT_TRUE(failedWith(runTool({"diff", a}), 2, "B is required"));
}

TEST_F(ZentraxStatsTest, HelpForTheToolAndEachCommand) {
  const char* commands[] = {"show", "set", "export", "import", "diff"};
  const test::RunResult tool = runTool({"--help"});
  EXPECT_EQ(tool.status, 0);
  for (const char* command : commands) {
    EXPECT_NE(tool.out.find(command), std::string::npos) << command;
    const test::RunResult help = runTool({command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find(std::string("Usage: zentrax-stats ") + command), std::string::npos)
        << help.out;
    EXPECT_EQ(help.err, "");
  }
}

}  // namespace
}  // namespace zentrax

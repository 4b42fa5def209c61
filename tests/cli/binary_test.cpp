// Runs the installed program itself, as a script would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"
#include "rom_fixture.h"

namespace zentrax {
namespace {

using test::TempDir;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// The text as one shell word. Built by appending: GCC 12 warns falsely about operator+ here.
std::string quoted(const std::string& text) {
  std::string q = "'";
  for (const char c : text) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  q += '\'';
  return q;
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Outcome runBinary(const TempDir& dir, const std::vector<std::string>& args) {
  std::string command = quoted(ZENTRAX_STATS_BINARY);
  for (const std::string& arg : args) {
    command += ' ';
    command += quoted(arg);
  }
  command += " >";
  command += quoted(dir.file("stdout").string());
  command += " 2>";
  command += quoted(dir.file("stderr").string());
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = slurp(dir.file("stdout"));
  outcome.err = slurp(dir.file("stderr"));
  return outcome;
}

TEST(ZentraxStatsBinary, BehavesAsTheToolInProcess) {
  TempDir dir;
  const RomImage rom = test::makeRom();
  const std::string romPath = dir.file("game.nes").string();
  test::writeFile(romPath, rom);

  const Outcome help = runBinary(dir, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: zentrax-stats"), std::string::npos) << help.out;

  const Outcome json = runBinary(dir, {"show", romPath, "--json"});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, test::runTool({"show", romPath, "--json"}).out);

  const Outcome set = runBinary(dir, {"set", romPath, "top_speed.car2.gold=$4D"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_TRUE(test::sameBytes(test::withBytes(rom, {{test::kTop + 1 + 3 * 11, 0x4D}}),
                              test::readFile(romPath)));

  const Outcome unknown = runBinary(dir, {"set", romPath, "top_speed.car4.gold=1"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(
      unknown.err,
      "zentrax-stats: unknown stat \"top_speed.car4.gold\" (see: zentrax-stats set --help)\n");
  EXPECT_EQ(unknown.out, "");
}

}  // namespace
}  // namespace zentrax

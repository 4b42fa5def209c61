// Replays every saved fuzz input, the seed corpus and the crashes found so far, through the same
// entry functions that the libFuzzer build drives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace zentrax::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
  const char* name;
  int (*entry)(const std::uint8_t*, std::size_t);
};

constexpr Target kTargets[] = {
    {"field_text", fieldText},
    {"stat_layout", statLayout},
#ifdef ZENTRAX_FUZZ_CLI
    {"cli_args", cliArgs},
#endif
};

std::vector<std::uint8_t> readInput(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> savedInputs(const fs::path& dir) {
  std::vector<fs::path> inputs;
  if (!fs::is_directory(dir)) return inputs;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    // Dot files keep the empty folders in git; they are not inputs.
    if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
      inputs.push_back(entry.path());
    }
  }
  return inputs;
}

TEST(FuzzReplayDeathTest, SavedInputsKeepEveryInvariant) {
  const fs::path root = ZENTRAX_FUZZ_DIR;
  for (const Target& target : kTargets) {
    int replayed = 0;
    for (const char* folder : {"corpus", "crashes"}) {
      for (const fs::path& input : savedInputs(root / folder / target.name)) {
        const std::vector<std::uint8_t> data = readInput(input);
        // An invariant that breaks aborts the process, so each input runs in a child of its own.
        EXPECT_EXIT(
            {
              target.entry(data.data(), data.size());
              std::exit(0);
            },
            ::testing::ExitedWithCode(0), "")
            << target.name << ": " << input.string();
        ++replayed;
      }
    }
    EXPECT_GT(replayed, 0) << "no saved inputs for " << target.name << " under " << root;
  }
}

}  // namespace
}  // namespace zentrax::fuzz

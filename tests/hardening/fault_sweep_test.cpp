// Fails each system call a patch makes, one at a time, with each kind of fault, and checks what
// the user was told and what became of the file.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>
#include <sstream>

#include "faulty_file_io.h"
#include "patch_subject.h"
#include "rom_fixture.h"

namespace zentrax::test {
namespace {

struct FaultKind {
  const char* name;
  int error;
  bool shortTransfer;
  // A harmful fault must be reported as a failure; any other must be absorbed (an interrupted
  // call retried, a short transfer continued) and the patch must succeed.
  bool harmful;
};

constexpr FaultKind kFaultKinds[] = {
    {"EIO", EIO, false, true},
    {"ENOSPC", ENOSPC, false, true},
    // Linux releases the descriptor even when close() is interrupted, so that one is not retried
    // but taken as done: the bytes were flushed before.
    {"EINTR", EINTR, false, false},
    {"short transfer", 0, true, false},
};

struct Operation {
  FileOp op;
  const char* name;
  bool transfers;  // moves bytes, so a short transfer applies
};

constexpr Operation kOperations[] = {
    {FileOp::open, "open", false},    {FileOp::lock, "lock", false},
    {FileOp::fstat, "fstat", false},  {FileOp::pread, "pread", true},
    {FileOp::pwrite, "pwrite", true}, {FileOp::fsync, "fsync", false},
    {FileOp::close, "close", false},
};

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;

  bool operator==(const FileIdentity&) const = default;
};

FileIdentity identityOf(const std::string& path) {
  struct ::stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return {info.st_dev, info.st_ino, info.st_size};
}

std::set<std::string> entriesOf(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Descriptors this process holds: a failed patch must not leave the ROM open (and locked).
int openDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator{}));
}

// After a failed patch each byte holds either its old or its new content: the bytes the patch
// leaves alone did not change, and nothing else was written into the ones it changes.
::testing::AssertionResult onlyPatchedBytesChanged(const RomImage& original,
                                                   const RomImage& expected,
                                                   const RomImage& actual) {
  if (actual.size() != original.size()) {
    return ::testing::AssertionFailure()
           << "length " << original.size() << " before, " << actual.size() << " after";
  }
  std::ostringstream wrong;
  int shown = 0;
  for (std::size_t i = 0; i < actual.size() && shown < 64; ++i) {
    if (actual[i] == original[i] || actual[i] == expected[i]) continue;
    char line[96];
    std::snprintf(line, sizeof line, "0x%06zX: was 0x%02X, patch writes 0x%02X, found 0x%02X\n", i,
                  original[i], expected[i], actual[i]);
    wrong << line;
    ++shown;
  }
  if (shown == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong.str();
}

class FaultSweepTest : public ::testing::TestWithParam<PatchSubject> {};

TEST_P(FaultSweepTest, EveryFailedCallIsReportedAndLeavesTheFileWhole) {
  const PatchSubject& subject = GetParam();
  TempDir dir;
  const std::string path = dir.file("game.nes").string();
  const RomImage original = makeRom();
  const RomImage expected = subject.expected(original);
  ASSERT_FALSE(sameBytes(original, expected)) << "the subject's patch must change bytes";

  for (const Operation& operation : kOperations) {
    for (const FaultKind& kind : kFaultKinds) {
      if (kind.shortTransfer && !operation.transfers) continue;
      // Fail the first call, then the second, ... until a run makes fewer calls than that.
      for (int nth = 1;; ++nth) {
        std::ostringstream label;
        label << operation.name << " call " << nth << " fails with " << kind.name;
        SCOPED_TRACE(label.str());

        writeFile(path, original);
        const FileIdentity before = identityOf(path);
        const std::set<std::string> entries = entriesOf(dir.path());
        const int descriptors = openDescriptors();

        FaultyFileIo io({operation.op, nth, kind.error, kind.shortTransfer});
        const bool reported = subject.patch(path, io);
        const bool faulted = io.faultHit();

        EXPECT_EQ(reported, !(faulted && kind.harmful));
        EXPECT_EQ(identityOf(path), before) << "the file was replaced or its length changed";
        EXPECT_EQ(entriesOf(dir.path()), entries) << "a file appeared or vanished";
        EXPECT_EQ(openDescriptors(), descriptors) << "a descriptor was left open";
        const RomImage after = readFile(path);
        if (reported) {
          EXPECT_TRUE(sameBytes(expected, after));
        } else {
          EXPECT_TRUE(onlyPatchedBytesChanged(original, expected, after));
        }
        if (subject.stateKept) {
          EXPECT_TRUE(subject.stateKept());
        }
        if (!faulted) break;
      }
    }
  }
}

std::vector<PatchSubject> subjects() {
  std::vector<PatchSubject> all = {modelPatchSubject()};
#ifdef ZENTRAX_SWEEP_CLI
  all.push_back(cliSetSubject());
#endif
#ifdef ZENTRAX_SWEEP_EDITOR
  all.push_back(editorPatchSubject());
#endif
  return all;
}

INSTANTIATE_TEST_SUITE_P(Subjects, FaultSweepTest, ::testing::ValuesIn(subjects()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zentrax::test

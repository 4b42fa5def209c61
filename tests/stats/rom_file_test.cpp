#include "rom_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "faulty_file_io.h"
#include "rom_fixture.h"

namespace zentrax {
namespace {

using test::Fault;
using test::FaultyFileIo;
using test::FileOp;
using test::makeRom;
using test::makeUnknownRom;
using test::readFile;
using test::sameBytes;
using test::TempDir;
using test::writeFile;

constexpr std::size_t kTop = 0x2DC91;

class RomFileTest : public ::testing::Test {
 protected:
  std::string romPath(const RomImage& content) {
    const auto path = dir_.file("game.nes");
    writeFile(path, content);
    return path.string();
  }

  TempDir dir_;
};

TEST_F(RomFileTest, ReadsTheWholeFile) {
  const RomImage rom = makeRom();
  RomImage image = {1, 2, 3};
  ASSERT_TRUE(readRomImage(romPath(rom), image).ok());
  EXPECT_TRUE(sameBytes(rom, image));
}

TEST_F(RomFileTest, ReportsWhyAFileCannotBeRead) {
  const std::string empty = romPath({});
  const std::string fifo = dir_.file("pipe.nes").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    const char* name;
    std::string path;
    RomStatus status;
  };
  const Case cases[] = {
      {"missing file", dir_.file("nothing.nes").string(), RomStatus::missing},
      {"missing folder", dir_.file("no/game.nes").string(), RomStatus::missing},
      {"directory", dir_.path().string(), RomStatus::notAFile},
      {"empty file", empty, RomStatus::empty},
      {"FIFO, which must not hang the open", fifo, RomStatus::notAFile},
      {"character device", "/dev/zero", RomStatus::notAFile},
  };
  for (const Case& c : cases) {
    RomImage image = {7};
    EXPECT_EQ(readRomImage(c.path, image).status, c.status) << c.name;
    EXPECT_EQ(image, RomImage{7}) << c.name;
  }
}

TEST_F(RomFileTest, AFileOfTwoGibibytesIsRefusedWithoutReadingIt) {
  const std::string path = romPath(makeRom());
  // Sparse: no disk space and no memory needed.
  std::filesystem::resize_file(path, kMaxRomImageSize + 1);
  RomImage image = {7};
  FaultyFileIo io;
  EXPECT_EQ(readRomImage(path, image, io).status, RomStatus::outOfMemory);
  EXPECT_EQ(io.calls(FileOp::pread), 0);
  EXPECT_EQ(image, RomImage{7});
}

TEST_F(RomFileTest, AFileLockedByAnotherProcessIsBusy) {
  const std::string path = romPath(makeRom());
  test::ForeignLock lock(path);
  RomImage image;
  EXPECT_EQ(readRomImage(path, image).status, RomStatus::busy);
  EXPECT_EQ(patchRom(path, StatValues{}, kRecognisedLayout).status, RomStatus::busy);
  EXPECT_TRUE(sameBytes(makeRom(), readFile(path)));
}

TEST_F(RomFileTest, HoldsItsLockUntilClosed) {
  const std::string path = romPath(makeRom());
  RomFile first;
  ASSERT_TRUE(first.open(path, OpenMode::readWrite).ok());
  RomFile second;
  EXPECT_EQ(second.open(path, OpenMode::read).status, RomStatus::busy);
  ASSERT_TRUE(first.close().ok());
  EXPECT_TRUE(second.open(path, OpenMode::read).ok());
}

TEST_F(RomFileTest, UneditedPatchLeavesTheFileAsItWas) {
  const RomImage rom = makeRom();
  const std::string path = romPath(rom);
  FaultyFileIo io;
  ASSERT_TRUE(patchRom(path, decode(rom, kRecognisedLayout), kRecognisedLayout, kAllStats, io).ok());
  EXPECT_TRUE(sameBytes(rom, readFile(path)));
  // One write per table; the reads are the signature and the top speed records.
  EXPECT_EQ(io.calls(FileOp::pwrite), 5);
  EXPECT_EQ(io.calls(FileOp::pread), 2);
  EXPECT_EQ(io.calls(FileOp::fsync), 1);
}

TEST_F(RomFileTest, AnEditedTopSpeedChangesExactlyItsByte) {
  const RomImage rom = makeRom();
  const std::string path = romPath(rom);
  StatValues values = decode(rom, kRecognisedLayout);
  values[statIndex(StatGroup::topSpeed, 9)] = 0x5A;
  ASSERT_TRUE(patchRom(path, values, kRecognisedLayout).ok());
  RomImage expected = rom;
  expected[kTop + 1 + 3 * 9] = 0x5A;
  EXPECT_TRUE(sameBytes(expected, readFile(path)));
}

TEST_F(RomFileTest, RefusedPatchesWriteNothing) {
  struct Case {
    const char* name;
    RomImage content;
    RomStatus status;
  };
  const Case cases[] = {
      {"unknown file", makeUnknownRom(), RomStatus::notRecognised},
      {"ends inside the signature", makeRom(kSignatureOffset + 2), RomStatus::notRecognised},
      {"ends before the last tire byte", makeRom(0x2DD8B + 19), RomStatus::tooShort},
  };
  for (const Case& c : cases) {
    const std::string path = romPath(c.content);
    EXPECT_EQ(patchRom(path, StatValues{}, kRecognisedLayout).status, c.status) << c.name;
    EXPECT_TRUE(sameBytes(c.content, readFile(path))) << c.name;
  }
}

TEST_F(RomFileTest, PatchNeverCreatesAFile) {
  const auto path = dir_.file("typo.nes");
  EXPECT_EQ(patchRom(path.string(), StatValues{}, kRecognisedLayout).status, RomStatus::missing);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(RomFileTest, ReadStatsMatchesDecodeOfTheImage) {
  const RomImage rom = makeRom();
  RomFile file;
  ASSERT_TRUE(file.open(romPath(rom), OpenMode::read).ok());
  StatValues values{};
  ASSERT_TRUE(readStats(file, kRecognisedLayout, values).ok());
  EXPECT_EQ(values, decode(rom, kRecognisedLayout));
}

TEST_F(RomFileTest, FailedSystemCallsAreNeverReportedAsSuccess) {
  struct Case {
    const char* name;
    Fault fault;
    RomStatus status;
  };
  const Case cases[] = {
      {"write fails", {FileOp::pwrite, 2, EIO}, RomStatus::writeFailed},
      {"disk full", {FileOp::pwrite, 1, ENOSPC}, RomStatus::writeFailed},
      {"flush fails", {FileOp::fsync, 1, EIO}, RomStatus::flushFailed},
      {"close fails", {FileOp::close, 1, EIO}, RomStatus::closeFailed},
      {"interrupted write is retried", {FileOp::pwrite, 3, EINTR}, RomStatus::ok},
      {"short write is continued", {FileOp::pwrite, 4, 0, true}, RomStatus::ok},
      {"interrupted flush is retried", {FileOp::fsync, 1, EINTR}, RomStatus::ok},
      {"interrupted fstat at open is retried", {FileOp::fstat, 1, EINTR}, RomStatus::ok},
      {"interrupted fstat before the writes is retried", {FileOp::fstat, 2, EINTR}, RomStatus::ok},
  };
  const RomImage rom = makeRom();
  StatValues values = decode(rom, kRecognisedLayout);
  values.fill(0x77);
  RomImage expected = rom;
  ASSERT_TRUE(encodeInto(expected, values, kRecognisedLayout));
  for (const Case& c : cases) {
    const std::string path = romPath(rom);
    FaultyFileIo io(c.fault);
    EXPECT_EQ(patchRom(path, values, kRecognisedLayout, kAllStats, io).status, c.status)
        << c.name;
    EXPECT_TRUE(io.faultHit()) << c.name;
    if (c.status == RomStatus::ok) {
      EXPECT_TRUE(sameBytes(expected, readFile(path))) << c.name;
    }
  }
}

}  // namespace
}  // namespace zentrax

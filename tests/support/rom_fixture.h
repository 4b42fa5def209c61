// Synthetic Zentrax images for tests: an iNES header, a patterned body so that a stray write
// always shows, the signature, and known values in every table.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "stat_layout.h"

namespace zentrax::test {

// 16-byte header, 16 PRG banks of 16 KiB, no CHR: large enough for every table.
inline constexpr std::size_t kFixtureSize = 16 + 16 * 16384;

// The byte every offset holds in a fresh fixture (the header and signature aside).
std::uint8_t patternByte(std::size_t offset);

// A recognised image of kFixtureSize bytes.
RomImage makeRom(std::size_t size = kFixtureSize);
// The same without the signature.
RomImage makeUnknownRom(std::size_t size = kFixtureSize);

// Every byte where the two images differ, with its offset in hex; empty when equal.
std::string byteDiff(const RomImage& expected, const RomImage& actual);
::testing::AssertionResult sameBytes(const RomImage& expected, const RomImage& actual);

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const RomImage& bytes);
RomImage readFile(const std::filesystem::path& path);

// Holds an exclusive flock() on a file from a child process, as another program would, until
// destroyed.
class ForeignLock {
 public:
  explicit ForeignLock(const std::filesystem::path& path);
  ~ForeignLock();
  ForeignLock(const ForeignLock&) = delete;
  ForeignLock& operator=(const ForeignLock&) = delete;

 private:
  int pid_ = -1;
};

}  // namespace zentrax::test

// Runs zentrax-stats in-process on synthetic images in a folder of their own.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "file_io.h"
#include "rom_fixture.h"

namespace zentrax::test {

// File offsets of the stat tables in the recognised revision.
inline constexpr std::uint32_t kBase = 0x2DBBE;
inline constexpr std::uint32_t kMotor = 0x2F4C;
inline constexpr std::uint32_t kTires = 0x2DD8B;
inline constexpr std::uint32_t kTop = 0x2DC91;
inline constexpr std::uint32_t kAi = 0x2DCFD;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

RunResult runTool(std::vector<std::string> args, FileIo& io = systemFileIo());

// The 60 stats of an image, name and value in the tool's order, as the layout's read column
// gives them, worked out here byte by byte.
std::vector<std::pair<std::string, std::int64_t>> readColumn(const RomImage& rom);

// A copy of rom with the given bytes replaced.
RomImage withBytes(RomImage rom,
                   std::initializer_list<std::pair<std::uint32_t, std::uint8_t>> bytes);
RomImage withBytes(RomImage rom, const std::vector<std::pair<std::uint32_t, std::uint8_t>>& bytes);

// The number of lines in text, which must end in a newline to count its last line.
int lineCount(const std::string& text);

}  // namespace zentrax::test

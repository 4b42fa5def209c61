// BPS patches: "BPS1", the source, target and metadata sizes as variable-length numbers, the
// actions, then the CRC32 of the source, of the target and of the patch up to that point.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zentrax {

// CRC-32 with the reflected polynomial 0xEDB88320, as zip and BPS use it.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

enum class BpsStatus {
  ok,            // patch turns source into target
  noChange,      // source and target are equal; there is nothing to write
  sizeMismatch,  // source and target differ in length; only same-size edits are written
};

struct BpsPatch {
  BpsStatus status = BpsStatus::ok;
  std::vector<std::uint8_t> bytes;  // the whole patch file when status is ok, else empty
};

// The patch that turns source into target (same length): SourceRead over unchanged bytes,
// TargetRead over changed ones. A patcher checks the source CRC and so refuses another image.
BpsPatch makeBpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

}  // namespace zentrax

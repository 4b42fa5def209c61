// IPS patches: "PATCH", then records of a 3-byte big-endian offset, a 2-byte big-endian size and
// that many bytes, then "EOF".
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zentrax {

enum class IpsStatus {
  ok,              // patch holds the records that turn source into target
  noChange,        // source and target are equal; there is nothing to write
  sizeMismatch,    // source and target differ in length; only same-size edits are written
  offsetTooLarge,  // a change lies where a 3-byte offset cannot reach (past 0xFFFFFF)
};

struct IpsPatch {
  IpsStatus status = IpsStatus::ok;
  std::vector<std::uint8_t> bytes;  // the whole patch file when status is ok, else empty
};

inline constexpr std::uint32_t kIpsMaxOffset = 0xFFFFFF;
inline constexpr std::uint32_t kIpsMaxRecord = 0xFFFF;
// A record at this offset would start with the bytes "EOF", which patchers read as the end.
inline constexpr std::uint32_t kIpsEofOffset = 0x454F46;

// The patch that turns source into target (same length). Changes with at most five unchanged
// bytes between them share one record, as a new record would cost its five header bytes.
// Records never use the run-length form.
IpsPatch makeIpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

}  // namespace zentrax

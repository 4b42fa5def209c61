#include "bps_writer.h"

#include <array>
#include <cstddef>

namespace zentrax {
namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

enum Action : std::uint64_t { kSourceRead = 0, kTargetRead = 1 };

// Seven bits a byte, low first, the last byte marked by its top bit; each continuation also
// drops one, so that every number has exactly one encoding.
void putNumber(std::vector<std::uint8_t>& out, std::uint64_t value) {
  while (true) {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      out.push_back(0x80 | low);
      return;
    }
    out.push_back(low);
    --value;
  }
}

void putAction(std::vector<std::uint8_t>& out, Action action, std::uint64_t length) {
  putNumber(out, ((length - 1) << 2) | action);
}

void putLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

BpsPatch makeBpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
  if (source.size() != target.size()) return {BpsStatus::sizeMismatch, {}};
  std::vector<std::uint8_t> out = {'B', 'P', 'S', '1'};
  putNumber(out, source.size());
  putNumber(out, target.size());
  putNumber(out, 0);  // no metadata

  bool changed = false;
  std::size_t at = 0;
  while (at < target.size()) {
    const bool same = source[at] == target[at];
    std::size_t end = at + 1;
    while (end < target.size() && (source[end] == target[end]) == same) ++end;
    if (same) {
      putAction(out, kSourceRead, end - at);
    } else {
      changed = true;
      putAction(out, kTargetRead, end - at);
      out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(at),
                 target.begin() + static_cast<std::ptrdiff_t>(end));
    }
    at = end;
  }
  if (!changed) return {BpsStatus::noChange, {}};

  putLittleEndian32(out, crc32(source));
  putLittleEndian32(out, crc32(target));
  putLittleEndian32(out, crc32(out));
  return {BpsStatus::ok, std::move(out)};
}

}  // namespace zentrax

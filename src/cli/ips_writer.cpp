#include "ips_writer.h"

#include <algorithm>
#include <cstddef>

namespace zentrax {
namespace {

constexpr std::size_t kRecordHeaderSize = 5;

struct Span {
  std::size_t begin;
  std::size_t end;
};

// The changed ranges, with gaps no longer than a record header folded into them.
std::vector<Span> changedSpans(std::span<const std::uint8_t> source,
                               std::span<const std::uint8_t> target) {
  std::vector<Span> spans;
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == target[i]) continue;
    if (!spans.empty() && i - spans.back().end <= kRecordHeaderSize) {
      spans.back().end = i + 1;
    } else {
      spans.push_back({i, i + 1});
    }
  }
  return spans;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

IpsPatch makeIpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
  if (source.size() != target.size()) return {IpsStatus::sizeMismatch, {}};
  const std::vector<Span> spans = changedSpans(source, target);
  if (spans.empty()) return {IpsStatus::noChange, {}};

  std::vector<std::uint8_t> out = {'P', 'A', 'T', 'C', 'H'};
  for (const Span& span : spans) {
    std::size_t at = span.begin;
    while (at < span.end) {
      // Starting one byte early repeats a byte the target already has, which is harmless.
      if (at == kIpsEofOffset) --at;
      if (at > kIpsMaxOffset) return {IpsStatus::offsetTooLarge, {}};
      const std::size_t size = std::min<std::size_t>(span.end - at, kIpsMaxRecord);
      putBigEndian(out, static_cast<std::uint32_t>(at), 3);
      putBigEndian(out, static_cast<std::uint32_t>(size), 2);
      out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(at),
                 target.begin() + static_cast<std::ptrdiff_t>(at + size));
      at += size;
    }
  }
  out.insert(out.end(), {'E', 'O', 'F'});
  return {IpsStatus::ok, std::move(out)};
}

}  // namespace zentrax

#include "patch_appliers.h"

#include <span>
#include <string_view>

#include "bps_writer.h"

namespace zentrax::test {
namespace {

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::uint64_t readNumber(const Bytes& patch, std::size_t& i) {
  std::uint64_t value = 0;
  std::uint64_t shift = 1;
  while (i < patch.size()) {
    const std::uint8_t x = patch[i++];
    value += (x & 0x7F) * shift;
    if (x & 0x80) break;
    shift <<= 7;
    value += shift;
  }
  return value;
}

std::uint32_t readLittleEndian32(const Bytes& patch, std::size_t i) {
  return patch[i] | patch[i + 1] << 8 | patch[i + 2] << 16 | std::uint32_t{patch[i + 3]} << 24;
}

}  // namespace

std::optional<Bytes> applyIps(const Bytes& patch, Bytes image, std::vector<IpsRecord>& records) {
  auto at = [&](std::size_t i, int n) {
    std::uint32_t v = 0;
    for (int k = 0; k < n; ++k) v = v << 8 | patch[i + k];
    return v;
  };
  if (patch.size() < 8 || Bytes(patch.begin(), patch.begin() + 5) != bytesOf("PATCH")) {
    return std::nullopt;
  }
  std::size_t i = 5;
  while (true) {
    if (i + 3 > patch.size()) return std::nullopt;
    if (at(i, 3) == 0x454F46) return i + 3 == patch.size() ? std::optional(image) : std::nullopt;
    if (i + 5 > patch.size()) return std::nullopt;
    const std::uint32_t offset = at(i, 3);
    std::uint32_t size = at(i + 3, 2);
    i += 5;
    records.push_back({offset, size});
    std::optional<std::uint8_t> fill;
    if (size == 0) {
      if (i + 3 > patch.size()) return std::nullopt;
      size = at(i, 2);
      fill = patch[i + 2];
      i += 3;
    } else if (i + size > patch.size()) {
      return std::nullopt;
    }
    if (offset + size > image.size()) image.resize(offset + size);
    for (std::uint32_t k = 0; k < size; ++k) image[offset + k] = fill ? *fill : patch[i + k];
    if (!fill) i += size;
  }
}

std::optional<Bytes> applyIps(const Bytes& patch, const Bytes& image) {
  std::vector<IpsRecord> records;
  return applyIps(patch, image, records);
}

std::optional<Bytes> applyBps(const Bytes& patch, const Bytes& source) {
  if (patch.size() < 4 + 3 + 12 || Bytes(patch.begin(), patch.begin() + 4) != bytesOf("BPS1")) {
    return std::nullopt;
  }
  const std::size_t footer = patch.size() - 12;
  if (crc32(std::span(patch).first(patch.size() - 4)) != readLittleEndian32(patch, footer + 8)) {
    return std::nullopt;
  }
  std::size_t i = 4;
  const std::uint64_t sourceSize = readNumber(patch, i);
  const std::uint64_t targetSize = readNumber(patch, i);
  i += readNumber(patch, i);
  if (sourceSize != source.size() || crc32(source) != readLittleEndian32(patch, footer)) {
    return std::nullopt;
  }
  Bytes target;
  while (i < footer) {
    const std::uint64_t action = readNumber(patch, i);
    const std::uint64_t length = (action >> 2) + 1;
    if (target.size() + length > targetSize) return std::nullopt;
    if ((action & 3) == 0) {
      if (target.size() + length > source.size()) return std::nullopt;
      target.insert(target.end(), source.begin() + target.size(),
                    source.begin() + target.size() + length);
    } else if ((action & 3) == 1) {
      if (i + length > footer) return std::nullopt;
      target.insert(target.end(), patch.begin() + i, patch.begin() + i + length);
      i += length;
    } else {
      return std::nullopt;
    }
  }
  if (target.size() != targetSize || crc32(target) != readLittleEndian32(patch, footer + 4)) {
    return std::nullopt;
  }
  return target;
}

}  // namespace zentrax::test

// Small, separately written patchers that the tests apply the tool's IPS and BPS patches with.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zentrax::test {

using Bytes = std::vector<std::uint8_t>;

struct IpsRecord {
  std::uint32_t offset;
  std::uint32_t size;  // 0 for a run-length record
  bool operator==(const IpsRecord&) const = default;
};

// Applies an IPS patch as a patcher reads it: records until the three bytes "EOF" stand where a
// record would start. nullopt for a patch that is not well formed. records receives each record.
std::optional<Bytes> applyIps(const Bytes& patch, Bytes image, std::vector<IpsRecord>& records);
std::optional<Bytes> applyIps(const Bytes& patch, const Bytes& image);

// Applies a BPS patch made of SourceRead and TargetRead actions, checking all three CRCs as a
// patcher does. nullopt when the patch is malformed, uses another action or does not fit source.
std::optional<Bytes> applyBps(const Bytes& patch, const Bytes& source);

}  // namespace zentrax::test

#include "stat_layout.h"

#include <algorithm>

namespace zentrax {
namespace {

std::uint32_t tableOffset(StatGroup group, const StatLayout& layout) {
  switch (group) {
    case StatGroup::baseTopSpeed:
      return layout.baseTopSpeed;
    case StatGroup::motorAccel:
      return layout.motorAccel;
    case StatGroup::tiresNormal:
    case StatGroup::tiresYellowAiRare:
      return layout.tires;
    case StatGroup::topSpeed:
      return layout.topSpeed;
    case StatGroup::aiAccel:
      return layout.aiAccel;
  }
  return 0;
}

// The tables in the order the writer visits them. Both tire rows share one table.
constexpr int kTableCount = 5;
int tableOrder(StatGroup group) {
  switch (group) {
    case StatGroup::baseTopSpeed:
      return 0;
    case StatGroup::motorAccel:
      return 1;
    case StatGroup::tiresNormal:
    case StatGroup::tiresYellowAiRare:
      return 2;
    case StatGroup::topSpeed:
      return 3;
    case StatGroup::aiAccel:
      return 4;
  }
  return 0;
}

std::string carName(int k) {
  return "car" + std::to_string(k / kMotorCount + 1);
}

}  // namespace

int statIndex(StatGroup group, int index) {
  for (int i = 0; i < kStatCount; ++i) {
    if (kStats[i].group == group && kStats[i].index == index) return i;
  }
  return -1;
}

std::string statName(const StatDef& stat) {
  const int i = stat.index;
  switch (stat.group) {
    case StatGroup::baseTopSpeed:
      return "base_top_speed";
    case StatGroup::motorAccel:
      return "motor_accel." + std::string(kMotorNames[i]);
    case StatGroup::tiresNormal:
      return "tires.normal." + std::string(kTireNames[i]);
    case StatGroup::tiresYellowAiRare:
      return "tires.yellow_ai_rare." + std::string(kTireNames[i]);
    case StatGroup::topSpeed:
      return "top_speed." + carName(i) + "." + std::string(kMotorNames[i % kMotorCount]);
    case StatGroup::aiAccel:
      return "ai_accel." + carName(i) + "." + std::string(kMotorNames[i % kMotorCount]);
  }
  return {};
}

int findStat(std::string_view name) {
  for (int i = 0; i < kStatCount; ++i) {
    if (statName(kStats[i]) == name) return i;
  }
  return -1;
}

std::uint32_t slotMax(const StatDef& stat) {
  const bool isByte = stat.group == StatGroup::baseTopSpeed || stat.group == StatGroup::topSpeed;
  return isByte ? 0xFF : 0xFFFF;
}

std::uint32_t cutToSlot(std::int64_t value, const StatDef& stat) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & slotMax(stat));
}

std::vector<StatByte> statBytes(const StatDef& stat, const StatLayout& layout) {
  const std::uint32_t base = tableOffset(stat.group, layout);
  const auto i = static_cast<std::uint32_t>(stat.index);
  switch (stat.group) {
    case StatGroup::baseTopSpeed:
      return {{base, 0}};
    case StatGroup::motorAccel:
      // Seven low bytes, then seven high bytes: not interleaved words.
      return {{base + i, 0}, {base + kMotorCount + i, 8}};
    case StatGroup::tiresNormal:
      return {{base + 2 * i, 0}, {base + 2 * i + 1, 8}};
    case StatGroup::tiresYellowAiRare:
      return {{base + 2 * kTireCount + 2 * i, 0}, {base + 2 * kTireCount + 2 * i + 1, 8}};
    case StatGroup::topSpeed:
      return {{base + 1 + 3 * i, 0}};
    case StatGroup::aiAccel:
      return {{base + 2 * i, 0}, {base + 2 * i + 1, 8}};
  }
  return {};
}

bool isSignature(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kSignatureSize) return false;
  std::uint32_t signature = 0;
  for (std::uint32_t i = 0; i < kSignatureSize; ++i) {
    signature |= std::uint32_t{bytes[i]} << (8 * i);
  }
  return signature == kSignatureValue;
}

bool identify(std::span<const std::uint8_t> image, StatLayout& layout) {
  if (image.size() < std::size_t{kSignatureOffset} + kSignatureSize) return false;
  if (!isSignature(image.subspan(kSignatureOffset, kSignatureSize))) return false;
  layout = kRecognisedLayout;
  return true;
}

StatValues decode(std::span<const std::uint8_t> image, const StatLayout& layout) {
  StatValues values{};
  for (int i = 0; i < kStatCount; ++i) {
    std::int64_t value = 0;
    for (const StatByte& b : statBytes(kStats[i], layout)) {
      if (b.offset < image.size()) value |= std::int64_t{image[b.offset]} << b.shift;
    }
    values[i] = value;
  }
  return values;
}

bool WriteRun::keepsAny() const {
  return std::find(keep.begin(), keep.end(), true) != keep.end();
}

std::vector<WriteRun> planWrites(const StatValues& values, const StatLayout& layout,
                                 const StatSelection& selection) {
  // Bytes one apart or two apart (the gap of a top speed record) are cheaper to rewrite with
  // their current content than to send as separate writes.
  constexpr std::uint32_t kMaxGap = 2;
  std::vector<WriteRun> runs;
  for (int table = 0; table < kTableCount; ++table) {
    struct Byte {
      std::uint32_t offset;
      std::uint8_t value;
    };
    std::vector<Byte> bytes;
    for (int i = 0; i < kStatCount; ++i) {
      if (!selection[i] || tableOrder(kStats[i].group) != table) continue;
      const std::uint32_t value = cutToSlot(values[i], kStats[i]);
      for (const StatByte& b : statBytes(kStats[i], layout)) {
        bytes.push_back({b.offset, static_cast<std::uint8_t>(value >> b.shift)});
      }
    }
    std::sort(bytes.begin(), bytes.end(),
              [](const Byte& a, const Byte& b) { return a.offset < b.offset; });
    const std::size_t first = runs.size();
    for (const Byte& b : bytes) {
      if (runs.size() > first && b.offset < runs.back().end() + kMaxGap + 1) {
        WriteRun& run = runs.back();
        const std::size_t at = b.offset - run.offset;
        if (at >= run.bytes.size()) {
          run.bytes.resize(at + 1, 0);
          run.keep.resize(at + 1, true);
        }
        run.bytes[at] = b.value;
        run.keep[at] = false;
      } else {
        runs.push_back({b.offset, {b.value}, {false}});
      }
    }
  }
  return runs;
}

std::uint64_t statsEnd(const StatLayout& layout) {
  std::uint64_t end = 0;
  for (const WriteRun& run : planWrites(StatValues{}, layout)) end = std::max(end, run.end());
  return end;
}

bool encodeInto(RomImage& image, const StatValues& values, const StatLayout& layout,
                const StatSelection& selection) {
  const std::vector<WriteRun> runs = planWrites(values, layout, selection);
  for (const WriteRun& run : runs) {
    if (run.end() > image.size()) return false;
  }
  for (const WriteRun& run : runs) {
    for (std::size_t i = 0; i < run.bytes.size(); ++i) {
      if (!run.keep[i]) image[run.offset + i] = run.bytes[i];
    }
  }
  return true;
}

}  // namespace zentrax

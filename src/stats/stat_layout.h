// Where the car statistics of the Zentrax cartridge image live, and how they are read and written.
//
// Every offset here is a file offset into the .nes file as stored on disk, iNES header included.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentrax {

// The whole loaded file, indexed by file offset.
using RomImage = std::vector<std::uint8_t>;

// The five table offsets. All zero until a recognised image has been identified.
struct StatLayout {
  std::uint32_t baseTopSpeed = 0;
  std::uint32_t motorAccel = 0;
  std::uint32_t tires = 0;
  std::uint32_t topSpeed = 0;
  std::uint32_t aiAccel = 0;

  bool operator==(const StatLayout&) const = default;
};

// The recognised revision carries these four bytes (79 3C AF 85 in file order) 32 bytes ahead of
// its motor acceleration table.
inline constexpr std::uint32_t kSignatureOffset = 0x2F2C;
inline constexpr std::uint32_t kSignatureValue = 0x85AF3C79;
inline constexpr std::uint32_t kSignatureSize = 4;

inline constexpr StatLayout kRecognisedLayout{
    .baseTopSpeed = 0x2DBBE,
    .motorAccel = 0x2F4C,
    .tires = 0x2DD8B,
    .topSpeed = 0x2DC91,
    .aiAccel = 0x2DCFD,
};

enum class StatGroup {
  baseTopSpeed,       // 1 byte
  motorAccel,         // 7 values, low bytes at +0..6, high bytes at +7..13 (players only)
  tiresNormal,        // 5 words at tires + 0..9
  tiresYellowAiRare,  // 5 words at tires + 10..19
  topSpeed,           // 21 three-byte records; only the middle byte is the top speed
  aiAccel,            // 21 words
};

struct StatDef {
  StatGroup group;
  int index;  // m for motors, t for tires, k = 7 j + m for the car rows
};

inline constexpr int kMotorCount = 7;
inline constexpr int kTireCount = 5;
inline constexpr int kCarCount = 3;
inline constexpr int kCarStatCount = kCarCount * kMotorCount;
inline constexpr int kStatCount = 1 + kMotorCount + 2 * kTireCount + 2 * kCarStatCount;

inline constexpr std::array<std::string_view, kMotorCount> kMotorNames{
    "standart", "red", "black", "silver", "gold", "hyper", "mega"};
inline constexpr std::array<std::string_view, kTireCount> kTireNames{
    "standart", "skinny", "nobblies", "dynafit", "scoopers"};

// The 60 statistics in the order of the editor's value fields: base top speed, motor
// acceleration, tires (normal row, then yellow AI rare row), top speed, AI acceleration.
inline constexpr std::array<StatDef, kStatCount> kStats = [] {
  std::array<StatDef, kStatCount> stats{};
  int n = 0;
  stats[n++] = {StatGroup::baseTopSpeed, 0};
  for (int m = 0; m < kMotorCount; ++m) stats[n++] = {StatGroup::motorAccel, m};
  for (int t = 0; t < kTireCount; ++t) stats[n++] = {StatGroup::tiresNormal, t};
  for (int t = 0; t < kTireCount; ++t) stats[n++] = {StatGroup::tiresYellowAiRare, t};
  for (int k = 0; k < kCarStatCount; ++k) stats[n++] = {StatGroup::topSpeed, k};
  for (int k = 0; k < kCarStatCount; ++k) stats[n++] = {StatGroup::aiAccel, k};
  return stats;
}();

// Position in kStats of a statistic, or -1 when the group has no such index.
int statIndex(StatGroup group, int index);

// The name scripts use: "base_top_speed", "motor_accel.black", "tires.normal.skinny",
// "tires.yellow_ai_rare.dynafit", "top_speed.car2.gold", "ai_accel.car3.mega".
std::string statName(const StatDef& stat);
// Position in kStats of the statistic with that name, or -1.
int findStat(std::string_view name);

// The largest value the statistic's slot holds: 255 for a byte, 65535 for a word or the motor
// low/high byte pair.
std::uint32_t slotMax(const StatDef& stat);
// A value wider than its slot keeps its low bits; a negative one is taken in two's complement.
std::uint32_t cutToSlot(std::int64_t value, const StatDef& stat);

// One byte of a statistic in the file: bits shift..shift+7 of the value live at offset.
struct StatByte {
  std::uint32_t offset;
  int shift;
};
// The bytes a statistic occupies with this layout: one for a byte value, two otherwise.
std::vector<StatByte> statBytes(const StatDef& stat, const StatLayout& layout);

// Values of the 60 statistics, in kStats order. Decoded values are 0..65535; values handed to
// the writer may be anything and are cut to their slot.
using StatValues = std::array<std::int64_t, kStatCount>;
// Which statistics a write touches, in kStats order.
using StatSelection = std::bitset<kStatCount>;
inline const StatSelection kAllStats = StatSelection{}.set();

// True for the four signature bytes of the recognised revision, in file order.
bool isSignature(std::span<const std::uint8_t> bytes);

// True when the image carries the signature of the recognised revision; then layout becomes
// kRecognisedLayout. Otherwise layout is left as it was.
bool identify(std::span<const std::uint8_t> image, StatLayout& layout);

// Reads every statistic out of the image. A byte that lies past the end of the image reads as
// zero, as it would from the zero-filled block the image is loaded into.
StatValues decode(std::span<const std::uint8_t> image, const StatLayout& layout);

// A contiguous range of the file that a write stores. Bytes whose keep flag is set are not part
// of any written statistic (the first and third byte of a top speed record, or a statistic that
// is not selected): the writer fills them with the file's current content, so they keep it.
struct WriteRun {
  std::uint32_t offset = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<bool> keep;

  std::uint64_t end() const { return std::uint64_t{offset} + bytes.size(); }
  bool keepsAny() const;
};

// The writes that store the selected values, table by table in this order: base top speed,
// motor acceleration, tires, top speed, AI acceleration. Within a table, bytes closer than three
// apart share one run, so the 21 top speed bytes of the records go out in one write.
std::vector<WriteRun> planWrites(const StatValues& values, const StatLayout& layout,
                                 const StatSelection& selection = kAllStats);

// One past the last byte of any stat table: the least length of a file that holds them all.
std::uint64_t statsEnd(const StatLayout& layout);

// Stores the selected values into an image in memory, exactly as the writer stores them into a
// file. Returns false, changing nothing, when the image is too short to hold them.
bool encodeInto(RomImage& image, const StatValues& values, const StatLayout& layout,
                const StatSelection& selection = kAllStats);

}  // namespace zentrax

#include "stat_layout.h"

#include <gtest/gtest.h>

#include "rom_fixture.h"

namespace zentrax {
namespace {

using test::makeRom;
using test::makeUnknownRom;
using test::sameBytes;

// Table offsets of the recognised revision, written out here on their own.
constexpr std::size_t kBase = 0x2DBBE, kMotor = 0x2F4C, kTires = 0x2DD8B, kTop = 0x2DC91,
                      kAi = 0x2DCFD;

int word(const RomImage& image, std::size_t at) { return image[at] | image[at + 1] << 8; }

const StatLayout kSentinel{1, 2, 3, 4, 5};

TEST(Identify, RecognisesTheSignatureWhateverElseTheImageHolds) {
  RomImage image(kSignatureOffset + 4, 0xEE);
  image[0x2F2C] = 0x79;
  image[0x2F2D] = 0x3C;
  image[0x2F2E] = 0xAF;
  image[0x2F2F] = 0x85;
  StatLayout layout;
  ASSERT_TRUE(identify(image, layout));
  EXPECT_EQ(layout, (StatLayout{187326, 12108, 187787, 187537, 187645}));
}

TEST(Identify, RefusesImagesWithoutTheSignatureAndKeepsTheLayout) {
  struct Case {
    const char* name;
    RomImage image;
  };
  RomImage wrongByte = makeRom();
  wrongByte[kSignatureOffset + 3] ^= 1;
  RomImage byteOrderSwapped = makeRom();
  std::swap(byteOrderSwapped[kSignatureOffset], byteOrderSwapped[kSignatureOffset + 3]);
  const Case cases[] = {
      {"no signature", makeUnknownRom()},
      {"one byte short of the signature", makeRom(kSignatureOffset + 3)},
      {"empty", {}},
      {"last signature byte wrong", wrongByte},
      {"signature bytes in big-endian order", byteOrderSwapped},
  };
  for (const Case& c : cases) {
    StatLayout layout = kSentinel;
    EXPECT_FALSE(identify(c.image, layout)) << c.name;
    EXPECT_EQ(layout, kSentinel) << c.name;
  }
}

TEST(Decode, ReadsEveryGroupFromItsTable) {
  const RomImage image = makeRom();
  const StatValues values = decode(image, kRecognisedLayout);
  int n = 0;
  EXPECT_EQ(values[n++], image[kBase]);
  for (int m = 0; m < 7; ++m) {
    EXPECT_EQ(values[n++], image[kMotor + m] + 256 * image[kMotor + 7 + m]) << "motor " << m;
  }
  for (int t = 0; t < 10; ++t) EXPECT_EQ(values[n++], word(image, kTires + 2 * t)) << "tire " << t;
  for (int k = 0; k < 21; ++k) EXPECT_EQ(values[n++], image[kTop + 1 + 3 * k]) << "top " << k;
  for (int k = 0; k < 21; ++k) EXPECT_EQ(values[n++], word(image, kAi + 2 * k)) << "ai " << k;
  EXPECT_EQ(n, kStatCount);
}

TEST(Decode, MotorAccelerationIsSplitIntoLowAndHighBytes) {
  RomImage image = makeRom();
  image[kMotor + 2] = 0x34;
  image[kMotor + 9] = 0x12;
  EXPECT_EQ(decode(image, kRecognisedLayout)[statIndex(StatGroup::motorAccel, 2)], 0x1234);
}

TEST(Decode, NeverReadsPastTheEndOfTheImage) {
  // Ends inside the top speed table: bytes past the end read as zero.
  const RomImage image = makeRom(kTop + 5);
  const StatValues values = decode(image, kRecognisedLayout);
  EXPECT_EQ(values[statIndex(StatGroup::topSpeed, 0)], image[kTop + 1]);
  EXPECT_EQ(values[statIndex(StatGroup::topSpeed, 1)], image[kTop + 4]);
  EXPECT_EQ(values[statIndex(StatGroup::topSpeed, 2)], 0);
  EXPECT_EQ(values[statIndex(StatGroup::aiAccel, 0)], 0);
  EXPECT_EQ(values[statIndex(StatGroup::tiresYellowAiRare, 4)], 0);

  // With the zero layout of an unknown file every group reads from the start of the file.
  const RomImage tiny = {0x11, 0x22, 0x33};
  const StatValues fromStart = decode(tiny, StatLayout{});
  EXPECT_EQ(fromStart[0], 0x11);
  EXPECT_EQ(fromStart[statIndex(StatGroup::topSpeed, 0)], 0x22);
  EXPECT_EQ(fromStart[statIndex(StatGroup::aiAccel, 0)], 0x2211);
  EXPECT_EQ(fromStart[statIndex(StatGroup::aiAccel, 1)], 0x0033);
  EXPECT_EQ(decode(RomImage{}, StatLayout{}), StatValues{});
}

TEST(StatNames, FollowTheFieldOrder) {
  EXPECT_EQ(statName(kStats[0]), "base_top_speed");
  EXPECT_EQ(statName(kStats[1]), "motor_accel.standart");
  EXPECT_EQ(statName(kStats[7]), "motor_accel.mega");
  EXPECT_EQ(statName(kStats[8]), "tires.normal.standart");
  EXPECT_EQ(statName(kStats[13]), "tires.yellow_ai_rare.standart");
  EXPECT_EQ(statName(kStats[17]), "tires.yellow_ai_rare.scoopers");
  EXPECT_EQ(statName(kStats[18]), "top_speed.car1.standart");
  EXPECT_EQ(statName(kStats[25]), "top_speed.car2.standart");
  EXPECT_EQ(statName(kStats[38]), "top_speed.car3.mega");
  EXPECT_EQ(statName(kStats[39]), "ai_accel.car1.standart");
  EXPECT_EQ(statName(kStats[59]), "ai_accel.car3.mega");
  for (int i = 0; i < kStatCount; ++i) EXPECT_EQ(findStat(statName(kStats[i])), i);
  EXPECT_EQ(findStat("top_speed.car4.red"), -1);
  EXPECT_EQ(findStat(""), -1);
}

TEST(Encode, UneditedValuesLeaveTheImageAsItWas) {
  const RomImage original = makeRom();
  RomImage image = original;
  ASSERT_TRUE(encodeInto(image, decode(original, kRecognisedLayout), kRecognisedLayout));
  EXPECT_TRUE(sameBytes(original, image));
}

TEST(Encode, WritesEveryValueByteAndNothingElse) {
  // Zero every value and see which bytes change: exactly the 98 value bytes.
  const RomImage original = makeRom();
  RomImage image = original;
  RomImage expected = original;
  expected[kBase] = 0;
  for (std::size_t i = 0; i < 14; ++i) expected[kMotor + i] = 0;
  for (std::size_t i = 0; i < 20; ++i) expected[kTires + i] = 0;
  for (std::size_t k = 0; k < 21; ++k) expected[kTop + 1 + 3 * k] = 0;
  for (std::size_t i = 0; i < 42; ++i) expected[kAi + i] = 0;
  ASSERT_TRUE(encodeInto(image, StatValues{}, kRecognisedLayout));
  EXPECT_TRUE(sameBytes(expected, image));
}

TEST(Encode, CutsValuesToTheirSlot) {
  struct Case {
    const char* name;
    StatGroup group;
    int index;
    std::int64_t value;
    std::size_t at[2];  // offsets of the low and (for wide slots) high byte
    std::uint8_t bytes[2];
    int width;
  };
  const Case cases[] = {
      {"256 into a byte", StatGroup::baseTopSpeed, 0, 256, {kBase}, {0x00}, 1},
      {"300 into a byte", StatGroup::topSpeed, 5, 300, {kTop + 16}, {44}, 1},
      {"-1 into a byte", StatGroup::topSpeed, 20, -1, {kTop + 61}, {0xFF}, 1},
      {"65536 into a word", StatGroup::aiAccel, 3, 65536, {kAi + 6, kAi + 7}, {0, 0}, 2},
      {"-1 into a word", StatGroup::tiresNormal, 4, -1, {kTires + 8, kTires + 9}, {0xFF, 0xFF}, 2},
      {"motor pair keeps bits 0-15", StatGroup::motorAccel, 2, 65536 + 18 * 256 + 52,
       {kMotor + 2, kMotor + 9}, {52, 18}, 2},
      {"yellow AI rare row", StatGroup::tiresYellowAiRare, 1, 0xBEEF,
       {kTires + 12, kTires + 13}, {0xEF, 0xBE}, 2},
  };
  for (const Case& c : cases) {
    const RomImage original = makeRom();
    StatValues values = decode(original, kRecognisedLayout);
    values[statIndex(c.group, c.index)] = c.value;
    RomImage expected = original;
    for (int i = 0; i < c.width; ++i) expected[c.at[i]] = c.bytes[i];
    RomImage image = original;
    ASSERT_TRUE(encodeInto(image, values, kRecognisedLayout)) << c.name;
    EXPECT_TRUE(sameBytes(expected, image)) << c.name;
  }
}

TEST(Encode, TopSpeedRecordsKeepTheirOuterBytes) {
  const RomImage original = makeRom();
  RomImage image = original;
  StatValues values{};
  values.fill(0xAA);
  ASSERT_TRUE(encodeInto(image, values, kRecognisedLayout));
  for (std::size_t k = 0; k < 21; ++k) {
    EXPECT_EQ(image[kTop + 3 * k], original[kTop + 3 * k]) << k;
    EXPECT_EQ(image[kTop + 3 * k + 2], original[kTop + 3 * k + 2]) << k;
  }
}

TEST(Encode, RefusesAnImageThatEndsBeforeTheLastByte) {
  const RomImage original = makeRom(kTires + 19);
  RomImage image = original;
  EXPECT_FALSE(encodeInto(image, StatValues{}, kRecognisedLayout));
  EXPECT_TRUE(sameBytes(original, image));
  RomImage justLongEnough = makeRom(kTires + 20);
  EXPECT_TRUE(encodeInto(justLongEnough, StatValues{}, kRecognisedLayout));
}

TEST(PlanWrites, OneRunPerTableInWriteOrder) {
  const std::vector<WriteRun> runs = planWrites(StatValues{}, kRecognisedLayout);
  ASSERT_EQ(runs.size(), 5u);
  const std::size_t offsets[] = {kBase, kMotor, kTires, kTop + 1, kAi};
  const std::size_t sizes[] = {1, 14, 20, 61, 42};
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].offset, offsets[i]) << i;
    EXPECT_EQ(runs[i].bytes.size(), sizes[i]) << i;
  }
  EXPECT_FALSE(runs[1].keepsAny());
  EXPECT_TRUE(runs[3].keepsAny());
}

TEST(PlanWrites, ASelectionWritesOnlyItsOwnBytes) {
  StatSelection selection;
  selection.set(statIndex(StatGroup::motorAccel, 2));
  const std::vector<WriteRun> runs = planWrites(StatValues{}, kRecognisedLayout, selection);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].offset, kMotor + 2);
  EXPECT_EQ(runs[1].offset, kMotor + 9);
  EXPECT_EQ(runs[0].bytes.size() + runs[1].bytes.size(), 2u);
  EXPECT_TRUE(planWrites(StatValues{}, kRecognisedLayout, StatSelection{}).empty());
}

}  // namespace
}  // namespace zentrax

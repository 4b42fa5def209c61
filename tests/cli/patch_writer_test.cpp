#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bps_writer.h"
#include "ips_writer.h"
#include "patch_appliers.h"
#include "rom_fixture.h"

namespace zentrax {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::applyBps;
using test::applyIps;
using test::IpsRecord;
using test::sameBytes;

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// A source of size bytes, and a target with every byte of the given [begin, end) ranges
// inverted.
struct Images {
  Bytes source;
  Bytes target;
};
Images imagesWithChanges(std::size_t size,
                         const std::vector<std::pair<std::size_t, std::size_t>>& changes) {
  Images images{Bytes(size), {}};
  for (std::size_t i = 0; i < size; ++i) images.source[i] = test::patternByte(i);
  images.target = images.source;
  for (const auto& [begin, end] : changes) {
    for (std::size_t i = begin; i < end; ++i) images.target[i] = ~images.source[i];
  }
  return images;
}

TEST(IpsWriter, PatchesTurnTheSourceIntoTheTarget) {
  struct Case {
    const char* name;
    std::size_t size;
    std::vector<std::pair<std::size_t, std::size_t>> changes;
    IpsStatus status;
    std::vector<IpsRecord> records;
  };
  const Case cases[] = {
      {"one byte", 0x400, {{0x123, 0x124}}, IpsStatus::ok, {{0x123, 1}}},
      {"first and last byte", 0x400, {{0, 1}, {0x3FF, 0x400}}, IpsStatus::ok, {{0, 1}, {0x3FF, 1}}},
      {"neighbouring changes share a record",
       0x400,
       {{0x100, 0x101}, {0x103, 0x104}, {0x109, 0x10A}},
       IpsStatus::ok,
       {{0x100, 10}}},
      {"changes six bytes apart get records of their own",
       0x400,
       {{0x100, 0x101}, {0x107, 0x108}},
       IpsStatus::ok,
       {{0x100, 1}, {0x107, 1}}},
      {"a change at the offset that reads EOF starts a byte early",
       0x454F46 + 0x10,
       {{0x454F46, 0x454F48}},
       IpsStatus::ok,
       {{0x454F45, 3}}},
      {"a run longer than 65535 bytes is split",
       0x20000,
       {{0x10, 0x10 + 70000}},
       IpsStatus::ok,
       {{0x10, 65535}, {0x10 + 65535, 70000 - 65535}}},
      {"a split that would land on the EOF offset starts a byte early",
       0x454F46 + 0x10,
       {{0x454F46 - 65535, 0x454F46 + 4}},
       IpsStatus::ok,
       {{0x454F46 - 65535, 65535}, {0x454F45, 5}}},
      {"a change at the last offset IPS reaches",
       0x1000000,
       {{0xFFFFFF, 0x1000000}},
       IpsStatus::ok,
       {{0xFFFFFF, 1}}},
      {"a change past the last offset IPS reaches",
       0x1000002,
       {{0x1000001, 0x1000002}},
       IpsStatus::offsetTooLarge,
       {}},
      {"no change", 0x400, {}, IpsStatus::noChange, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Images images = imagesWithChanges(c.size, c.changes);
    const IpsPatch patch = makeIpsPatch(images.source, images.target);
    EXPECT_EQ(patch.status, c.status);
    if (patch.status != IpsStatus::ok) {
      EXPECT_TRUE(patch.bytes.empty());
      continue;
    }
    std::vector<IpsRecord> records;
    const std::optional<Bytes> patched = applyIps(patch.bytes, images.source, records);
    if (!patched) {
      ADD_FAILURE() << "malformed patch";
      continue;
    }
    EXPECT_TRUE(sameBytes(images.target, *patched));
    EXPECT_EQ(records, c.records);
  }
}

TEST(IpsWriter, RefusesImagesOfDifferentLength) {
  EXPECT_EQ(makeIpsPatch(Bytes(10), Bytes(11)).status, IpsStatus::sizeMismatch);
}

TEST(Crc32, MatchesKnownValues) {
  struct Case {
    const char* text;
    std::uint32_t crc;
  };
  const Case cases[] = {
      {"", 0x00000000},
      {"a", 0xE8B7BE43},
      {"123456789", 0xCBF43926},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339},
  };
  for (const Case& c : cases) EXPECT_EQ(crc32(bytesOf(c.text)), c.crc) << c.text;
}

TEST(BpsWriter, PatchesTurnTheSourceIntoTheTarget) {
  struct Case {
    const char* name;
    std::size_t size;
    std::vector<std::pair<std::size_t, std::size_t>> changes;
  };
  const Case cases[] = {
      {"one byte", 0x400, {{0x123, 0x124}}},
      {"first and last byte", 0x400, {{0, 1}, {0x3FF, 0x400}}},
      {"every byte", 0x400, {{0, 0x400}}},
      {"scattered changes", 0x400, {{0x10, 0x11}, {0x13, 0x14}, {0x200, 0x280}}},
      // Lengths above 2^14 and 2^21 need three- and four-byte numbers.
      {"long unchanged runs", 0x300000, {{0x8000, 0x8001}, {0x2FFFFF, 0x300000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Images images = imagesWithChanges(c.size, c.changes);
    const BpsPatch patch = makeBpsPatch(images.source, images.target);
    EXPECT_EQ(patch.status, BpsStatus::ok);
    const std::optional<Bytes> patched = applyBps(patch.bytes, images.source);
    if (!patched) {
      ADD_FAILURE() << "malformed patch";
      continue;
    }
    EXPECT_TRUE(sameBytes(images.target, *patched));

    Bytes otherBase = images.source;
    otherBase[c.size / 2] ^= 1;
    EXPECT_FALSE(applyBps(patch.bytes, otherBase).has_value()) << "accepted another base image";
  }
}

TEST(BpsWriter, WritesTheActionsAndChecksumsOfASmallEdit) {
  const Bytes source = bytesOf("abcd");
  const Bytes target = bytesOf("abXd");
  Bytes expected = {'B',  'P', 'S', '1', 0x84, 0x84, 0x80,  // sizes 4 and 4, no metadata
                    0x84,                                   // SourceRead 2
                    0x81, 'X',                              // TargetRead 1
                    0x80};                                  // SourceRead 1
  for (const std::uint32_t crc : {crc32(source), crc32(target)}) {
    for (int i = 0; i < 4; ++i) expected.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  }
  const std::uint32_t patchCrc = crc32(expected);
  for (int i = 0; i < 4; ++i) expected.push_back(static_cast<std::uint8_t>(patchCrc >> (8 * i)));
  const BpsPatch patch = makeBpsPatch(source, target);
  ASSERT_EQ(patch.status, BpsStatus::ok);
  EXPECT_TRUE(sameBytes(expected, patch.bytes));
}

TEST(BpsWriter, WritesNothingForNoChangeOrADifferentLength) {
  const Images same = imagesWithChanges(0x100, {});
  EXPECT_EQ(makeBpsPatch(same.source, same.target).status, BpsStatus::noChange);
  EXPECT_EQ(makeBpsPatch(Bytes(10), Bytes(11)).status, BpsStatus::sizeMismatch);
}

}  // namespace
}  // namespace zentrax

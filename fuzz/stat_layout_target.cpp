#include <algorithm>
#include <array>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "stat_layout.h"

namespace zentrax::fuzz {
namespace {

// The image lengths where the model's bounds checks sit: the end of the signature and the end of
// each table, the tires' yellow AI rare row last of all.
constexpr std::array<std::size_t, 7> kLengthAnchors{
    std::size_t{kSignatureOffset} + kSignatureSize,  std::size_t{kRecognisedLayout.tires} + 20,
    std::size_t{kRecognisedLayout.tires} + 10,       std::size_t{kRecognisedLayout.aiAccel} + 42,
    std::size_t{kRecognisedLayout.topSpeed} + 63,    std::size_t{kRecognisedLayout.motorAccel} + 14,
    std::size_t{kRecognisedLayout.baseTopSpeed} + 1,
};

// Where the payload is copied into the image.
constexpr std::array<std::size_t, 4> kPayloadAnchors{
    0, kSignatureOffset - 16, kRecognisedLayout.topSpeed, kRecognisedLayout.tires};

struct Input {
  RomImage image;
  std::vector<std::uint8_t> payload;
  bool negate = false;
};

// Byte 0 picks the length: 0 mod 8 takes the payload itself as the image, whatever its length;
// otherwise one of kLengthAnchors moved by byte 1 read as a signed offset. Byte 2 says whether the
// signature is planted (bit 0), where the payload goes (bits 1-2) and whether edited values are
// negated (bit 3). The rest is the payload, which also drives the edits and the selection.
Input imageFromInput(const std::uint8_t* data, std::size_t size) {
  Input in;
  if (size < 3) {
    in.image.assign(data, data + size);
    return in;
  }
  in.payload.assign(data + 3, data + size);
  const std::uint8_t mode = data[0] % 8;
  if (mode == 0) {
    in.image = in.payload;
    return in;
  }
  const auto delta = static_cast<std::int8_t>(data[1]);
  const std::size_t length = kLengthAnchors[mode - 1] + static_cast<std::size_t>(delta);
  in.image.assign(length, 0);
  const std::uint8_t flags = data[2];
  if (flags & 1) {
    const std::uint8_t signature[kSignatureSize] = {0x79, 0x3C, 0xAF, 0x85};
    for (std::size_t i = 0; i < kSignatureSize && kSignatureOffset + i < length; ++i) {
      in.image[kSignatureOffset + i] = signature[i];
    }
  }
  const std::size_t at = kPayloadAnchors[(flags >> 1) & 3];
  for (std::size_t i = 0; i < in.payload.size() && at + i < length; ++i) {
    in.image[at + i] = in.payload[i];
  }
  in.negate = (flags & 8) != 0;
  return in;
}

bool carriesSignature(const RomImage& image) {
  if (image.size() < std::size_t{kSignatureOffset} + kSignatureSize) return false;
  return image[kSignatureOffset] == 0x79 && image[kSignatureOffset + 1] == 0x3C &&
         image[kSignatureOffset + 2] == 0xAF && image[kSignatureOffset + 3] == 0x85;
}

std::size_t lastByteRead(const StatLayout& layout) {
  std::size_t end = 0;
  for (const StatDef& stat : kStats) {
    for (const StatByte& b : statBytes(stat, layout))
      end = std::max(end, std::size_t{b.offset} + 1);
  }
  return end;
}

void checkLayout(const Input& in, const StatLayout& layout) {
  const RomImage& image = in.image;

  StatLayout identified = layout;
  const bool recognised = identify(image, identified);
  FUZZ_CHECK(recognised == carriesSignature(image));
  FUZZ_CHECK(identified == (recognised ? kRecognisedLayout : layout));

  // Bytes past the end read as zero, as from the zero-filled block a file is loaded into.
  const StatValues values = decode(image, layout);
  for (int i = 0; i < kStatCount; ++i) {
    FUZZ_CHECK(values[i] >= 0 && values[i] <= std::int64_t{slotMax(kStats[i])});
  }
  RomImage padded = image;
  if (padded.size() < lastByteRead(layout)) padded.resize(lastByteRead(layout), 0);
  FUZZ_CHECK(decode(padded, layout) == values);

  const std::vector<WriteRun> runs = planWrites(values, layout);
  bool fits = true;
  for (const WriteRun& run : runs) {
    FUZZ_CHECK(!run.bytes.empty() && run.bytes.size() == run.keep.size());
    FUZZ_CHECK(!run.keep.front() && !run.keep.back());
    fits = fits && run.end() <= image.size();
  }

  // Writing back the values just read changes no byte, even where tables overlap.
  RomImage unedited = image;
  FUZZ_CHECK(encodeInto(unedited, values, layout) == fits);
  FUZZ_CHECK(unedited == image);

  StatValues edited = values;
  StatSelection selection = kAllStats;
  for (int i = 0; i < kStatCount && !in.payload.empty(); ++i) {
    const std::uint8_t b = in.payload[static_cast<std::size_t>(i) % in.payload.size()];
    edited[i] = (values[i] ^ (std::int64_t{b} << (8 * (i % 3)))) * (in.negate ? -1 : 1);
    if (b & 0x80) selection.reset(static_cast<std::size_t>(i));
  }
  const std::vector<WriteRun> editRuns = planWrites(edited, layout, selection);
  bool editFits = true;
  for (const WriteRun& run : editRuns) editFits = editFits && run.end() <= image.size();
  RomImage patched = image;
  FUZZ_CHECK(encodeInto(patched, edited, layout, selection) == editFits);
  if (!editFits) {
    FUZZ_CHECK(patched == image);
    return;
  }
  // Only the bytes of written statistics may change. Comparing whole images keeps this one
  // memcmp rather than a loop over every byte, which would slow the fuzzer to a crawl.
  RomImage expected = image;
  for (const WriteRun& run : editRuns) {
    for (std::size_t i = 0; i < run.bytes.size(); ++i) {
      if (!run.keep[i]) expected[run.offset + i] = patched[run.offset + i];
    }
  }
  FUZZ_CHECK(patched == expected);
  // The recognised tables do not overlap, so each edit reads back cut to its slot and every
  // statistic left out of the selection keeps its value.
  if (layout == kRecognisedLayout) {
    const StatValues reread = decode(patched, layout);
    for (int i = 0; i < kStatCount; ++i) {
      const std::int64_t expected =
          selection[static_cast<std::size_t>(i)] ? cutToSlot(edited[i], kStats[i]) : values[i];
      FUZZ_CHECK(reread[i] == expected);
    }
  }
}

}  // namespace

int statLayout(const std::uint8_t* data, std::size_t size) {
  const Input in = imageFromInput(data, size);
  checkLayout(in, StatLayout{});
  checkLayout(in, kRecognisedLayout);
  return 0;
}

}  // namespace zentrax::fuzz

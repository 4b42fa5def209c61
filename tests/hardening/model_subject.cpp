#include "patch_subject.h"
#include "rom_file.h"
#include "rom_fixture.h"

namespace zentrax::test {
namespace {

// Every statistic moved away from its decoded value, so that every write run changes bytes and
// a write that never happened shows.
StatValues editedValues(const RomImage& original) {
  StatValues values = decode(original, kRecognisedLayout);
  for (int i = 0; i < kStatCount; ++i) values[i] += 0x1111 * (i + 1);
  return values;
}

}  // namespace

PatchSubject modelPatchSubject() {
  return {
      .name = "patchRom",
      .expected =
          [](const RomImage& original) {
            RomImage image = original;
            encodeInto(image, editedValues(original), kRecognisedLayout);
            return image;
          },
      .patch =
          [](const std::string& path, FileIo& io) {
            const StatValues values = editedValues(readFile(path));
            return patchRom(path, values, kRecognisedLayout, kAllStats, io).ok();
          },
      .stateKept = {},
  };
}

}  // namespace zentrax::test

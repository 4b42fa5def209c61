#include <sstream>

#include "patch_subject.h"
#include "zentrax_stats.h"

namespace zentrax::test {
namespace {

struct Assignment {
  const char* name;
  std::int64_t value;
};

// One statistic of every written table, so that a set makes several writes.
constexpr Assignment kAssignments[] = {
    {"base_top_speed", 1},        {"motor_accel.black", 0x1234},  {"tires.normal.skinny", 0x0201},
    {"top_speed.car2.gold", 200}, {"ai_accel.car3.mega", 0x4321},
};

}  // namespace

PatchSubject cliSetSubject() {
  return {
      .name = "zentrax_stats_set",
      .expected =
          [](const RomImage& original) {
            StatValues values = decode(original, kRecognisedLayout);
            StatSelection selection;
            for (const Assignment& a : kAssignments) {
              const int i = findStat(a.name);
              values[i] = a.value;
              selection.set(static_cast<std::size_t>(i));
            }
            RomImage image = original;
            encodeInto(image, values, kRecognisedLayout, selection);
            return image;
          },
      .patch =
          [](const std::string& path, FileIo& io) {
            std::vector<std::string> args = {"set", path};
            for (const Assignment& a : kAssignments) {
              args.push_back(std::string(a.name) + "=" + std::to_string(a.value));
            }
            std::ostringstream out;
            std::ostringstream err;
            const int status = runZentraxStats(args, out, err, io);
            // A failure the user is not told about is no better than a silent one.
            if (status != 0) {
              EXPECT_FALSE(err.str().empty()) << "exit status " << status;
            }
            return status == 0;
          },
      .stateKept = {},
  };
}

}  // namespace zentrax::test

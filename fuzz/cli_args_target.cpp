#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "zentrax_stats.h"

namespace zentrax::fuzz {
namespace {

// Every file call fails as if permission were denied: the fuzzer drives the argument handling
// and the error paths behind it, and never touches a file, whatever paths it makes up.
class DeniedFileIo final : public FileIo {
 public:
  int open(const char*, int) override { return deny(); }
  int lockExclusive(int) override { return deny(); }
  int fstat(int, struct ::stat*) override { return deny(); }
  ssize_t pread(int, void*, std::size_t, off_t) override { return deny(); }
  ssize_t pwrite(int, const void*, std::size_t, off_t) override { return deny(); }
  int fsync(int) override { return deny(); }
  int close(int) override { return deny(); }

 private:
  static int deny() {
    errno = EACCES;
    return -1;
  }
};

}  // namespace

int cliArgs(const std::uint8_t* data, std::size_t size) {
  // Arguments are separated by NUL bytes, as in a process's argument block.
  constexpr std::size_t kMaxArgs = 16;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size && args.size() <= kMaxArgs; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  if (size == 0) args.clear();

  DeniedFileIo io;
  std::ostringstream out;
  std::ostringstream err;
  const int status = runZentraxStats(args, out, err, io);
  FUZZ_CHECK(status >= 0 && status <= 255);
  // A failure the user is not told about is no better than a silent success.
  if (status != 0) {
    FUZZ_CHECK(!err.str().empty());
  }
  return 0;
}

}  // namespace zentrax::fuzz

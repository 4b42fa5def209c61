#include "rom_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zentrax::test {

std::uint8_t patternByte(std::size_t offset) {
  return static_cast<std::uint8_t>((offset * 31 + 17) ^ (offset >> 8));
}

RomImage makeUnknownRom(std::size_t size) {
  RomImage image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = patternByte(i);
  const std::uint8_t header[16] = {'N', 'E', 'S', 0x1A, 16, 0, 0x40, 0};
  for (std::size_t i = 0; i < 16 && i < size; ++i) image[i] = header[i];
  return image;
}

RomImage makeRom(std::size_t size) {
  RomImage image = makeUnknownRom(size);
  const std::uint8_t signature[4] = {0x79, 0x3C, 0xAF, 0x85};
  for (std::size_t i = 0; i < 4 && kSignatureOffset + i < size; ++i) {
    image[kSignatureOffset + i] = signature[i];
  }
  return image;
}

std::string byteDiff(const RomImage& expected, const RomImage& actual) {
  std::ostringstream out;
  if (expected.size() != actual.size()) {
    out << "length " << expected.size() << " expected, " << actual.size() << " found\n";
  }
  const std::size_t common = std::min(expected.size(), actual.size());
  int shown = 0;
  for (std::size_t i = 0; i < common; ++i) {
    if (expected[i] == actual[i]) continue;
    if (++shown > 64) {
      out << "...\n";
      break;
    }
    char line[64];
    std::snprintf(line, sizeof line, "0x%06zX: expected 0x%02X, found 0x%02X\n", i, expected[i],
                  actual[i]);
    out << line;
  }
  return out.str();
}

::testing::AssertionResult sameBytes(const RomImage& expected, const RomImage& actual) {
  const std::string diff = byteDiff(expected, actual);
  if (diff.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "bytes differ:\n" << diff;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zentrax-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::filesystem::path& path, const RomImage& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

RomImage readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return RomImage(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ForeignLock::ForeignLock(const std::filesystem::path& path) {
  int ready[2];
  if (::pipe(ready) != 0) std::abort();
  pid_ = ::fork();
  if (pid_ == 0) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    const char go = 1;
    if (::write(ready[1], &go, 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  ::close(ready[1]);
  char go = 0;
  if (::read(ready[0], &go, 1) != 1) std::abort();
  ::close(ready[0]);
}

ForeignLock::~ForeignLock() {
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

}  // namespace zentrax::test

#include "replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zentrax {

RomResult replaceFile(const std::string& path, std::span<const std::uint8_t> bytes, FileIo& io) {
  const std::filesystem::path target(path);
  if (!target.has_filename()) return {RomStatus::notAFile, EISDIR};
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += ".XXXXXX";
  std::string temporary = (folder / hidden).string();

  // mkstemp creates the file with mode 0600; a patch is no secret, so give it the mode a plain
  // new file would get.
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return {openStatus(errno), errno};
  const mode_t mask = ::umask(0);
  ::umask(mask);
  (void)::fchmod(fd, 0666 & ~mask);
  ::close(fd);

  RomResult result;
  {
    RomFile file(io);
    result = file.open(temporary, OpenMode::readWrite);
    if (result.ok()) result = file.writeAt(0, bytes);
    if (result.ok()) result = file.flush();
    if (result.ok()) result = file.close();
  }
  if (result.ok() && std::rename(temporary.c_str(), path.c_str()) != 0) {
    result = {RomStatus::writeFailed, errno};
  }
  if (!result.ok()) ::unlink(temporary.c_str());
  return result;
}

}  // namespace zentrax

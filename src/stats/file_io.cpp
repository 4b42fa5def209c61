#include "file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zentrax {
namespace {

class SystemFileIo final : public FileIo {
 public:
  int open(const char* path, int flags) override { return ::open(path, flags); }
  int lockExclusive(int fd) override { return ::flock(fd, LOCK_EX | LOCK_NB); }
  int fstat(int fd, struct ::stat* info) override { return ::fstat(fd, info); }
  ssize_t pread(int fd, void* buffer, std::size_t count, off_t offset) override {
    return ::pread(fd, buffer, count, offset);
  }
  ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) override {
    return ::pwrite(fd, buffer, count, offset);
  }
  int fsync(int fd) override { return ::fsync(fd); }
  int close(int fd) override { return ::close(fd); }
};

}  // namespace

FileIo& systemFileIo() {
  static SystemFileIo io;
  return io;
}

}  // namespace zentrax

// The system calls the ROM file layer makes, behind one seam so that tests can fail any of them.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace zentrax {

// Each call behaves as its POSIX namesake: on failure it returns -1 and sets errno.
class FileIo {
 public:
  virtual ~FileIo() = default;
  virtual int open(const char* path, int flags) = 0;
  // flock(fd, LOCK_EX | LOCK_NB).
  virtual int lockExclusive(int fd) = 0;
  virtual int fstat(int fd, struct ::stat* info) = 0;
  virtual ssize_t pread(int fd, void* buffer, std::size_t count, off_t offset) = 0;
  virtual ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) = 0;
  virtual int fsync(int fd) = 0;
  virtual int close(int fd) = 0;
};

// The real system calls.
FileIo& systemFileIo();

}  // namespace zentrax

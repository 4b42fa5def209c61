#include "faulty_file_io.h"

#include <cerrno>

namespace zentrax::test {
namespace {

FileIo& real() { return systemFileIo(); }

}  // namespace

std::optional<Fault> FaultyFileIo::take(FileOp op) {
  const int n = ++calls_[static_cast<int>(op)];
  if (!fault_ || fault_->op != op || fault_->nth != n) return std::nullopt;
  hit_ = true;
  return fault_;
}

int FaultyFileIo::open(const char* path, int flags) {
  if (auto f = take(FileOp::open)) {
    errno = f->error;
    return -1;
  }
  return real().open(path, flags);
}

int FaultyFileIo::lockExclusive(int fd) {
  if (auto f = take(FileOp::lock)) {
    errno = f->error;
    return -1;
  }
  return real().lockExclusive(fd);
}

int FaultyFileIo::fstat(int fd, struct ::stat* info) {
  if (auto f = take(FileOp::fstat)) {
    errno = f->error;
    return -1;
  }
  return real().fstat(fd, info);
}

ssize_t FaultyFileIo::pread(int fd, void* buffer, std::size_t count, off_t offset) {
  if (auto f = take(FileOp::pread)) {
    if (f->shortTransfer && count > 1) return real().pread(fd, buffer, count / 2, offset);
    if (!f->shortTransfer) {
      errno = f->error;
      return -1;
    }
  }
  return real().pread(fd, buffer, count, offset);
}

ssize_t FaultyFileIo::pwrite(int fd, const void* buffer, std::size_t count, off_t offset) {
  if (auto f = take(FileOp::pwrite)) {
    if (f->shortTransfer && count > 1) return real().pwrite(fd, buffer, count / 2, offset);
    if (!f->shortTransfer) {
      errno = f->error;
      return -1;
    }
  }
  return real().pwrite(fd, buffer, count, offset);
}

int FaultyFileIo::fsync(int fd) {
  if (auto f = take(FileOp::fsync)) {
    errno = f->error;
    return -1;
  }
  return real().fsync(fd);
}

int FaultyFileIo::close(int fd) {
  // The descriptor is released either way, as Linux does; only the report differs.
  const int result = real().close(fd);
  if (auto f = take(FileOp::close)) {
    errno = f->error;
    return -1;
  }
  return result;
}

}  // namespace zentrax::test

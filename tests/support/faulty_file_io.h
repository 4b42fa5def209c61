// A FileIo that passes every call to the system, except one chosen call that it fails.
#pragma once

#include <array>
#include <optional>

#include "file_io.h"

namespace zentrax::test {

enum class FileOp { open, lock, fstat, pread, pwrite, fsync, close };
inline constexpr int kFileOpCount = 7;

struct Fault {
  FileOp op;
  int nth = 1;          // which call of that operation fails, counting from 1
  int error = 0;        // the errno it fails with
  bool shortTransfer = false;  // for pread/pwrite: move half the bytes instead of failing
};

class FaultyFileIo final : public FileIo {
 public:
  FaultyFileIo() = default;
  explicit FaultyFileIo(Fault fault) : fault_(fault) {}

  int calls(FileOp op) const { return calls_[static_cast<int>(op)]; }
  bool faultHit() const { return hit_; }

  int open(const char* path, int flags) override;
  int lockExclusive(int fd) override;
  int fstat(int fd, struct ::stat* info) override;
  ssize_t pread(int fd, void* buffer, std::size_t count, off_t offset) override;
  ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) override;
  int fsync(int fd) override;
  int close(int fd) override;

 private:
  // The fault for this call, if it is the chosen one.
  std::optional<Fault> take(FileOp op);

  std::optional<Fault> fault_;
  std::array<int, kFileOpCount> calls_{};
  bool hit_ = false;
};

}  // namespace zentrax::test

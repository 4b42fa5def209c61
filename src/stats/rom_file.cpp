#include "rom_file.h"

#include <fcntl.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace zentrax {
namespace {

RomResult failure(RomStatus status, int error = errno) {
  return {status, error};
}

// Not listed among fstat()'s errors, but FUSE and network file systems do report EINTR.
int fstatRetried(FileIo& io, int fd, struct ::stat& info) {
  int result;
  do {
    result = io.fstat(fd, &info);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

RomStatus openStatus(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return RomStatus::missing;
    case EISDIR:
      return RomStatus::notAFile;
    case EACCES:
    case EPERM:
    case EROFS:
      return RomStatus::accessDenied;
    default:
      return RomStatus::openFailed;
  }
}

RomFile::~RomFile() {
  if (fd_ >= 0) io_.close(fd_);
}

RomResult RomFile::open(const std::string& path, OpenMode mode) {
  if (fd_ >= 0) return failure(RomStatus::openFailed, EBUSY);
  // No O_CREAT: a patch must never leave a new, empty file behind a mistyped path. O_NONBLOCK
  // keeps a FIFO picked by mistake from hanging the open; it has no effect on a regular file.
  const int flags =
      (mode == OpenMode::read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd;
  do {
    fd = io_.open(path.c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return failure(openStatus(errno));
  fd_ = fd;

  // Locked first, so that no other process gets between the open and the lock.
  int locked;
  do {
    locked = io_.lockExclusive(fd_);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const RomResult result =
        failure(errno == EWOULDBLOCK ? RomStatus::busy : RomStatus::openFailed);
    close();
    return result;
  }
  struct ::stat info {};
  if (fstatRetried(io_, fd_, info) != 0) {
    const RomResult result = failure(RomStatus::openFailed);
    close();
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    close();
    return failure(RomStatus::notAFile, 0);
  }
  return {};
}

RomResult RomFile::size(std::uint64_t& bytes) {
  struct ::stat info {};
  if (fstatRetried(io_, fd_, info) != 0) return failure(RomStatus::readFailed);
  bytes = static_cast<std::uint64_t>(info.st_size);
  return {};
}

RomResult RomFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n =
        io_.pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return failure(RomStatus::readFailed);
    }
    if (n == 0) return failure(RomStatus::tooShort, 0);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

RomResult RomFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = io_.pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return failure(RomStatus::writeFailed);
    }
    // A write that makes no progress would loop for ever; the disk is full in all but name.
    if (n == 0) return failure(RomStatus::writeFailed, ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

RomResult RomFile::flush() {
  int flushed;
  do {
    flushed = io_.fsync(fd_);
  } while (flushed != 0 && errno == EINTR);
  if (flushed != 0) return failure(RomStatus::flushFailed);
  return {};
}

RomResult RomFile::close() {
  if (fd_ < 0) return {};
  const int fd = fd_;
  fd_ = -1;
  // Linux releases the descriptor even when close() reports EINTR, so it is never retried (that
  // could close a descriptor opened meanwhile). Nothing is lost by the interruption: whatever
  // this file wrote has been flushed before.
  if (io_.close(fd) != 0 && errno != EINTR) return failure(RomStatus::closeFailed);
  return {};
}

RomResult readRomImage(const std::string& path, RomImage& image, FileIo& io) {
  RomFile file(io);
  if (RomResult opened = file.open(path, OpenMode::read); !opened.ok()) return opened;
  std::uint64_t length = 0;
  if (RomResult sized = file.size(length); !sized.ok()) return sized;
  if (length == 0) return failure(RomStatus::empty, 0);
  // A cartridge image is a few hundred KiB. A file of 2 GiB or more is no image: refuse it
  // rather than fill memory with it.
  if (length > kMaxRomImageSize) return failure(RomStatus::outOfMemory, EFBIG);
  RomImage content;
  try {
    content.assign(length, 0);
  } catch (const std::bad_alloc&) {
    return failure(RomStatus::outOfMemory, ENOMEM);
  } catch (const std::length_error&) {
    return failure(RomStatus::outOfMemory, ENOMEM);
  }
  if (RomResult read = file.readAt(0, content); !read.ok()) return read;
  if (RomResult closed = file.close(); !closed.ok()) return closed;
  image = std::move(content);
  return {};
}

RomResult checkSignature(RomFile& file) {
  std::uint8_t bytes[kSignatureSize];
  const RomResult read = file.readAt(kSignatureOffset, bytes);
  if (read.status == RomStatus::tooShort) return failure(RomStatus::notRecognised, 0);
  if (!read.ok()) return read;
  if (!isSignature(bytes)) return failure(RomStatus::notRecognised, 0);
  return {};
}

RomResult readStats(RomFile& file, const StatLayout& layout, StatValues& values) {
  // Read each table's bytes into a sparse image at their file offsets, then decode that.
  const std::vector<WriteRun> runs = planWrites(StatValues{}, layout);
  const std::uint64_t end = statsEnd(layout);
  RomImage image;
  try {
    image.assign(end, 0);
  } catch (const std::bad_alloc&) {
    return failure(RomStatus::outOfMemory, ENOMEM);
  }
  for (const WriteRun& run : runs) {
    const RomResult read =
        file.readAt(run.offset, std::span(image).subspan(run.offset, run.bytes.size()));
    if (!read.ok()) return read;
  }
  values = decode(image, layout);
  return {};
}

RomResult encode(const StatValues& values, const StatLayout& layout, RomFile& file,
                 const StatSelection& selection) {
  std::vector<WriteRun> runs = planWrites(values, layout, selection);
  std::uint64_t length = 0;
  if (RomResult sized = file.size(length); !sized.ok()) return sized;
  for (const WriteRun& run : runs) {
    if (run.end() > length) return failure(RomStatus::tooShort, 0);
  }
  // Every read comes before the first write, so a failed read leaves the file untouched.
  for (WriteRun& run : runs) {
    if (!run.keepsAny()) continue;
    RomImage current(run.bytes.size());
    if (RomResult read = file.readAt(run.offset, current); !read.ok()) return read;
    for (std::size_t i = 0; i < current.size(); ++i) {
      if (run.keep[i]) run.bytes[i] = current[i];
    }
  }
  for (const WriteRun& run : runs) {
    if (RomResult written = file.writeAt(run.offset, run.bytes); !written.ok()) return written;
  }
  return {};
}

RomResult patchRom(const std::string& path, const StatValues& values, const StatLayout& layout,
                   const StatSelection& selection, FileIo& io) {
  RomFile file(io);
  if (RomResult opened = file.open(path, OpenMode::readWrite); !opened.ok()) return opened;
  if (RomResult signed_ = checkSignature(file); !signed_.ok()) return signed_;
  if (RomResult encoded = encode(values, layout, file, selection); !encoded.ok()) return encoded;
  if (RomResult flushed = file.flush(); !flushed.ok()) return flushed;
  return file.close();
}

}  // namespace zentrax

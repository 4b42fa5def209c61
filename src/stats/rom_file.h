// Access to the ROM file on disk: open under an exclusive lock, positioned reads and writes,
// flush, close, and the load and patch built from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "file_io.h"
#include "stat_layout.h"

namespace zentrax {

enum class RomStatus {
  ok,             // done; for a write, every byte reached the disk
  missing,        // nothing exists at the path
  notAFile,       // the path names a directory or something else that is not a regular file
  accessDenied,   // the file's permissions do not allow the access
  busy,           // another process holds the file's lock
  openFailed,     // the file could not be opened for another reason
  empty,          // the file holds 0 bytes
  outOfMemory,    // no memory for the file's content
  readFailed,     // a read failed
  tooShort,       // the file ends before a byte that must be read or written; nothing was written
  notRecognised,  // the file does not carry the signature of the recognised revision
  writeFailed,    // a write failed or could not be completed; the file may be partly written
  flushFailed,    // the written bytes could not be flushed to disk
  closeFailed,    // closing the file reported an error
};

// What a failed open(), with this errno, means for the user.
RomStatus openStatus(int error);

struct RomResult {
  RomStatus status = RomStatus::ok;
  int error = 0;  // errno of the failed call, 0 when none applies

  bool ok() const { return status == RomStatus::ok; }
};

enum class OpenMode {
  read,       // existing file, read only
  readWrite,  // existing file, read and write; never created
};

// One open ROM file. Other processes are kept off it by an exclusive flock() taken right after
// the open and held until close; that lock, unlike a POSIX record lock, is not dropped when some
// other descriptor of the same file is closed.
class RomFile {
 public:
  explicit RomFile(FileIo& io = systemFileIo()) : io_(io) {}
  ~RomFile();
  RomFile(const RomFile&) = delete;
  RomFile& operator=(const RomFile&) = delete;

  RomResult open(const std::string& path, OpenMode mode);
  bool isOpen() const { return fd_ >= 0; }

  RomResult size(std::uint64_t& bytes);
  // Reads exactly out.size() bytes; tooShort when the file ends first.
  RomResult readAt(std::uint64_t offset, std::span<std::uint8_t> out);
  // Writes every byte, continuing short writes and retrying interrupted ones.
  RomResult writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  RomResult flush();
  RomResult close();

 private:
  FileIo& io_;
  int fd_ = -1;
};

// The largest file readRomImage takes in; a larger one reports outOfMemory.
inline constexpr std::uint64_t kMaxRomImageSize = 0x7FFFFFFF;

// Reads the whole file into image, under the lock. The image is replaced only on success.
RomResult readRomImage(const std::string& path, RomImage& image, FileIo& io = systemFileIo());

// ok when the open file carries the signature of the recognised revision.
RomResult checkSignature(RomFile& file);

// Reads the statistics straight from the tables of the open file.
RomResult readStats(RomFile& file, const StatLayout& layout, StatValues& values);

// Stores the selected values into the open file, in place, with one positioned write per run of
// planWrites(). Writes nothing and reports tooShort when the file does not reach the last byte,
// so a file is never lengthened.
RomResult encode(const StatValues& values, const StatLayout& layout, RomFile& file,
                 const StatSelection& selection = kAllStats);

// The whole patch of a file on disk: open it for reading and writing (never creating it), check
// its signature, encode the selected values, flush to disk and close. ok only when all of that
// succeeded.
RomResult patchRom(const std::string& path, const StatValues& values, const StatLayout& layout,
                   const StatSelection& selection = kAllStats, FileIo& io = systemFileIo());

}  // namespace zentrax

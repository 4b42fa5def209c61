// Writing a whole output file (a patch, an exported document) without ever leaving half of it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "file_io.h"
#include "rom_file.h"

namespace zentrax {

// Writes bytes to a temporary file in the same folder as path, flushes it to disk and only then
// renames it over path, so that path holds either its old content or all of the new. On failure
// the temporary file is removed and path is left as it was.
RomResult replaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                      FileIo& io = systemFileIo());

}  // namespace zentrax

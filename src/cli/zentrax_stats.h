// zentrax-stats: shows, edits, exports, imports and compares the car stats of a Zentrax image,
// and writes IPS or BPS patches instead of editing in place.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "file_io.h"

namespace zentrax {

// Runs the tool. args are the command-line arguments WITHOUT the program name (argv[1] onwards).
// Results go to out; every failure is one line on err, as are warnings. Every file, the ROM
// and the files written, is opened through io. Returns the exit status (ExitCode in
// status_text.h).
int runZentraxStats(std::vector<std::string> args, std::ostream& out, std::ostream& err,
                    FileIo& io = systemFileIo());

}  // namespace zentrax

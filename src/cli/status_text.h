// What the tool says, and with which exit status it ends, for each outcome of a file operation.
#pragma once

#include <string>

#include "rom_file.h"

namespace zentrax {

// Exit statuses of zentrax-stats. diff keeps the convention of diff(1) instead: 0 equal,
// 1 different, 2 for any trouble.
enum ExitCode : int {
  kExitOk = 0,
  kExitDiffer = 1,         // diff only: the images' stats differ
  kExitUsage = 2,          // unknown command or stat, bad argument, rejected import document
  kExitUnreadable = 3,     // the file is missing, not a file, not readable or not openable
  kExitBusy = 4,           // another process holds the file's lock
  kExitNotRecognised = 5,  // not the known revision, or too short to hold every table
  kExitWriteFailed = 6,    // a write, the flush to disk or the close failed
};

// The user's message for a result, followed by the system's reason where it adds one.
std::string describe(const RomResult& result);
int exitCodeFor(RomStatus status);
// False for a status that the message table lacks.
bool hasMessage(RomStatus status);

}  // namespace zentrax

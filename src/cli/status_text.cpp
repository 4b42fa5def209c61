#include "status_text.h"

#include <cstring>

namespace zentrax {
namespace {

struct StatusText {
  RomStatus status;
  const char* message;
  int exitCode;
  bool withReason;  // whether the system's reason tells the user more than the message does
};

constexpr StatusText kStatusTexts[] = {
    {RomStatus::ok, "done", kExitOk, false},
    {RomStatus::missing, "no such file", kExitUnreadable, false},
    {RomStatus::notAFile, "not a regular file", kExitUnreadable, false},
    {RomStatus::accessDenied, "access denied", kExitUnreadable, true},
    {RomStatus::busy, "the file is busy: another program is using it", kExitBusy, false},
    {RomStatus::openFailed, "cannot open the file", kExitUnreadable, true},
    {RomStatus::empty, "the file is empty", kExitUnreadable, false},
    {RomStatus::outOfMemory, "not enough memory to read the file", kExitUnreadable, false},
    {RomStatus::readFailed, "cannot read the file", kExitUnreadable, true},
    {RomStatus::tooShort, "the file is too short to hold every stat table", kExitNotRecognised,
     false},
    {RomStatus::notRecognised, "not a recognised Zentrax image", kExitNotRecognised, false},
    {RomStatus::writeFailed, "write failed", kExitWriteFailed, true},
    {RomStatus::flushFailed, "cannot flush the written bytes to disk", kExitWriteFailed, true},
    {RomStatus::closeFailed, "closing the file failed", kExitWriteFailed, true},
};

const StatusText* find(RomStatus status) {
  for (const StatusText& text : kStatusTexts) {
    if (text.status == status) return &text;
  }
  return nullptr;
}

}  // namespace

std::string describe(const RomResult& result) {
  const StatusText* text = find(result.status);
  if (text == nullptr) return "unexpected failure";
  std::string message = text->message;
  if (text->withReason && result.error != 0)
    message += std::string(": ") + std::strerror(result.error);
  return message;
}

int exitCodeFor(RomStatus status) {
  const StatusText* text = find(status);
  return text == nullptr ? kExitWriteFailed : text->exitCode;
}

bool hasMessage(RomStatus status) {
  return find(status) != nullptr;
}

}  // namespace zentrax

#include "rom_messages.h"

#include <array>
#include <cstring>

namespace zentrax::editor {
namespace {

constexpr const char* kLoadTitle = "Error!";
constexpr const char* kCantRead = "Cant read file";
constexpr const char* kCantOpen = "cant open rom file. file is bussy or not exists";
constexpr const char* kNotTheRom =
    "the file on disk is no longer the Zentrax rom that was loaded; nothing was written";
constexpr const char* kNoMemory = "Programm cant allocate free memory";

struct MessageRow {
  RomStatus status;
  const char* loadTitle;
  const char* loadText;
  const char* patchTitle;
  const char* patchText;
  bool patchGivesReason;  // the system's reason follows the patch text
};

// One row per status: the load's messages are the fixed ones the user knows; the patch names the
// system's reason where the file may have been left half written.
constexpr std::array kMessages{
    MessageRow{RomStatus::ok, "", "", "attention", "rom patched", false},
    MessageRow{RomStatus::missing, kLoadTitle, kCantRead, "error", kCantOpen, false},
    MessageRow{RomStatus::notAFile, kLoadTitle, kCantRead, "error", kCantOpen, false},
    MessageRow{RomStatus::accessDenied, kLoadTitle, kCantRead, "error", kCantOpen, false},
    MessageRow{RomStatus::busy, kLoadTitle, kCantRead, "error", kCantOpen, false},
    MessageRow{RomStatus::openFailed, kLoadTitle, kCantRead, "error", kCantOpen, false},
    MessageRow{RomStatus::empty, kLoadTitle, "Rom file is empty (0 bytes)", "error", kNotTheRom,
               false},
    MessageRow{RomStatus::outOfMemory, kLoadTitle, kNoMemory, "error", kNoMemory, false},
    MessageRow{RomStatus::readFailed, kLoadTitle, kCantRead, "error",
               "reading the rom file failed; nothing was written", true},
    MessageRow{RomStatus::tooShort, kLoadTitle, kCantRead, "error",
               "the rom file is too short to hold every stat table; nothing was written", false},
    MessageRow{RomStatus::notRecognised, kLoadTitle, "Unknown ROM", "error", kNotTheRom, false},
    MessageRow{RomStatus::writeFailed, kLoadTitle, kCantRead, "error",
               "writing the rom file failed; the file may be partly patched", true},
    MessageRow{RomStatus::flushFailed, kLoadTitle, kCantRead, "error",
               "the patched bytes could not be saved to disk; the file may be partly patched",
               true},
    MessageRow{RomStatus::closeFailed, kLoadTitle, kCantRead, "error",
               "closing the rom file failed; the file may be partly patched", true},
};

// The rows stand in the order of the statuses, so that a status is its own row number.
constexpr bool inStatusOrder() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages[i].status) != i) return false;
  }
  return true;
}
static_assert(inStatusOrder());
static_assert(kMessages.size() == static_cast<std::size_t>(RomStatus::closeFailed) + 1);

const MessageRow& rowFor(RomStatus status) {
  const auto row = static_cast<std::size_t>(status);
  // A status that has no row yet reads as a failed open.
  return row < kMessages.size() ? kMessages[row] : kMessages[5];
}

}  // namespace

EditorMessage loadMessage(const RomResult& result) {
  const MessageRow& row = rowFor(result.status);
  return {QString::fromUtf8(row.loadTitle), QString::fromUtf8(row.loadText)};
}

EditorMessage patchMessage(const RomResult& result) {
  const MessageRow& row = rowFor(result.status);
  QString text = QString::fromUtf8(row.patchText);
  if (row.patchGivesReason && result.error != 0) {
    text += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(result.error)));
  }
  return {QString::fromUtf8(row.patchTitle), text};
}

EditorMessage noPathMessage() {
  return {QStringLiteral("error"),
          QStringLiteral("you didnt set path to rom file, or file size of rom is 0bytes")};
}

EditorMessage notLoadedMessage() {
  return {QStringLiteral("error"),
          QStringLiteral("the file in the path field was not loaded as a Zentrax rom; "
                         "load it with view first, nothing was written")};
}

}  // namespace zentrax::editor

#include "rom_messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace zentrax::editor {
namespace {

struct MessageCase {
  const char* name;
  RomResult result;
  const char* title;
  const char* text;
};

TEST(LoadMessage, KeepsTheFixedTextsForEveryFailure) {
  const MessageCase cases[] = {
      {"missing", {RomStatus::missing, ENOENT}, "Error!", "Cant read file"},
      {"busy", {RomStatus::busy, EWOULDBLOCK}, "Error!", "Cant read file"},
      {"access denied", {RomStatus::accessDenied, EACCES}, "Error!", "Cant read file"},
      {"read failed", {RomStatus::readFailed, EIO}, "Error!", "Cant read file"},
      {"empty", {RomStatus::empty, 0}, "Error!", "Rom file is empty (0 bytes)"},
      {"out of memory",
       {RomStatus::outOfMemory, ENOMEM},
       "Error!",
       "Programm cant allocate free memory"},
      {"not recognised", {RomStatus::notRecognised, 0}, "Error!", "Unknown ROM"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const EditorMessage message = loadMessage(c.result);
    EXPECT_EQ(message.title, QString::fromUtf8(c.title));
    EXPECT_EQ(message.text, QString::fromUtf8(c.text));
  }
}

TEST(PatchMessage, SaysPatchedOnlyOnSuccess) {
  const char* cantOpen = "cant open rom file. file is bussy or not exists";
  const MessageCase cases[] = {
      {"success", {RomStatus::ok, 0}, "attention", "rom patched"},
      {"busy", {RomStatus::busy, EWOULDBLOCK}, "error", cantOpen},
      {"missing", {RomStatus::missing, ENOENT}, "error", cantOpen},
      {"access denied", {RomStatus::accessDenied, EACCES}, "error", cantOpen},
      {"open failed", {RomStatus::openFailed, EMFILE}, "error", cantOpen},
      {"file too short for the tables, as it was at the load",
       {RomStatus::tooShort, 0},
       "error",
       "the rom file is too short to hold every stat table; nothing was written"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const EditorMessage message = patchMessage(c.result);
    EXPECT_EQ(message.title, QString::fromUtf8(c.title));
    EXPECT_EQ(message.text, QString::fromUtf8(c.text));
  }
  for (RomStatus status :
       {RomStatus::notAFile, RomStatus::empty, RomStatus::outOfMemory, RomStatus::readFailed,
        RomStatus::tooShort, RomStatus::notRecognised, RomStatus::writeFailed,
        RomStatus::flushFailed, RomStatus::closeFailed}) {
    SCOPED_TRACE(static_cast<int>(status));
    const EditorMessage message = patchMessage({status, EIO});
    EXPECT_EQ(message.title, "error");
    EXPECT_FALSE(message.text.isEmpty());
    EXPECT_NE(message.text, "rom patched");
  }
}

TEST(PatchMessage, NamesTheSystemsReasonWhenTheFileMayBeHalfWritten) {
  for (RomStatus status : {RomStatus::writeFailed, RomStatus::flushFailed}) {
    const EditorMessage message = patchMessage({status, ENOSPC});
    EXPECT_TRUE(message.text.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << message.text.toStdString();
    EXPECT_TRUE(message.text.contains("partly patched")) << message.text.toStdString();
  }
}

}  // namespace
}  // namespace zentrax::editor

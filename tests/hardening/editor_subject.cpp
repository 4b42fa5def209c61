#include <QPushButton>
#include <QTest>
#include <memory>

#include "controls.h"
#include "editor_window.h"
#include "field_text.h"
#include "patch_subject.h"
#include "rom_fixture.h"
#include "scripted_dialogs.h"

namespace zentrax::test {
namespace {

using editor::ControlId;
using editor::kStatSlots;
using editor::StatSlot;

// Sends the calls of the load to the system and only those of the patch to the io under test, so
// that the sweep fails the patch's calls and not the load's.
class SwitchedIo final : public FileIo {
 public:
  FileIo* target = &systemFileIo();

  int open(const char* path, int flags) override { return target->open(path, flags); }
  int lockExclusive(int fd) override { return target->lockExclusive(fd); }
  int fstat(int fd, struct ::stat* info) override { return target->fstat(fd, info); }
  ssize_t pread(int fd, void* buffer, std::size_t count, off_t offset) override {
    return target->pread(fd, buffer, count, offset);
  }
  ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) override {
    return target->pwrite(fd, buffer, count, offset);
  }
  int fsync(int fd) override { return target->fsync(fd); }
  int close(int fd) override { return target->close(fd); }
};

struct Edit {
  ControlId id;
  const char* text;
};

// Typed texts of every kind, in every written table, the yellow AI rare row included.
constexpr Edit kEdits[] = {
    {56, "1"}, {59, "$1234"}, {65, "513"}, {71, "%1010"}, {93, "300"}, {100, "abc"}, {123, "-1"},
};

struct EditorUnderTest {
  SwitchedIo io;
  editor::test::ScriptedDialogs dialogs;
  std::unique_ptr<editor::EditorWindow> window;
  std::vector<QString> textsBeforePatch;

  editor::EditorWindow& ensureWindow() {
    if (!window) window = std::make_unique<editor::EditorWindow>(&dialogs, io);
    return *window;
  }
  std::vector<QString> fieldTexts() const {
    std::vector<QString> texts;
    for (const StatSlot& slot : kStatSlots) texts.push_back(window->text(slot.id));
    return texts;
  }
};

StatValues editedValues(const RomImage& original) {
  StatValues values = decode(original, kRecognisedLayout);
  for (const Edit& edit : kEdits) {
    values[editor::statSlotIndex(edit.id)] = FieldText::parse(std::string_view(edit.text));
  }
  return values;
}

}  // namespace

PatchSubject editorPatchSubject() {
  auto editor = std::make_shared<EditorUnderTest>();
  return {
      .name = "editor_patch_rom",
      .expected =
          [editor](const RomImage& original) {
            // Built before the sweep counts open descriptors: the first window of the process
            // opens the fonts, and they stay open.
            editor->ensureWindow();
            RomImage image = original;
            encodeInto(image, editedValues(original), kRecognisedLayout);
            return image;
          },
      .patch =
          [editor](const std::string& path, FileIo& io) {
            editor::EditorWindow& window = editor->ensureWindow();
            editor->io.target = &systemFileIo();
            editor->dialogs.answers.push_back(QString::fromStdString(path));
            QTest::mouseClick(window.control(editor::kViewButton), Qt::LeftButton);
            for (const Edit& edit : kEdits) window.setText(edit.id, QString::fromUtf8(edit.text));
            editor->textsBeforePatch = editor->fieldTexts();

            editor->dialogs.messages.clear();
            editor->io.target = &io;
            QTest::mouseClick(window.control(editor::kPatchButton), Qt::LeftButton);
            editor->io.target = &systemFileIo();
            // Every patch ends in exactly one message; success is the one that says so.
            EXPECT_EQ(editor->dialogs.messages.size(), 1u);
            const editor::test::Message patched{"attention", "rom patched"};
            return editor->dialogs.messages == std::vector{patched};
          },
      .stateKept = [editor]() -> ::testing::AssertionResult {
        if (editor->fieldTexts() != editor->textsBeforePatch) {
          return ::testing::AssertionFailure() << "the value fields lost their texts";
        }
        if (!editor->window->control(editor::kPatchButton)->isEnabled()) {
          return ::testing::AssertionFailure() << "the patch button stayed disabled";
        }
        return ::testing::AssertionSuccess();
      },
  };
}

}  // namespace zentrax::test

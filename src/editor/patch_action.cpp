#include "patch_action.h"

#include <sys/stat.h>

#include <QFile>
#include <QWidget>

#include "controls.h"
#include "editor_window.h"
#include "field_text.h"
#include "rom_file.h"
#include "rom_messages.h"

namespace zentrax::editor {
namespace {

// A path that names a regular file holding at least one byte.
bool namesNonEmptyFile(const QString& path) {
  if (path.isEmpty()) return false;
  struct ::stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return false;
  return S_ISREG(info.st_mode) && info.st_size > 0;
}

void show(EditorWindow& window, const EditorMessage& message) {
  window.dialogs().message(message.title, message.text);
}

}  // namespace

StatValues fieldValues(const EditorWindow& window) {
  StatValues values{};
  for (const StatSlot& slot : kStatSlots) {
    values[statIndex(slot.group, slot.index)] =
        FieldText::parse(window.text(slot.id).toStdU16String());
  }
  return values;
}

void runPatchAction(EditorWindow& window) {
  const QString path = window.text(kPathField);
  if (!namesNonEmptyFile(path)) {
    show(window, noPathMessage());
    return;
  }
  // With any other file the layout would point at bytes that are not its tables.
  if (path != window.state().recognisedPath) {
    show(window, notLoadedMessage());
    return;
  }

  // Disabling the focused button would pass the focus on; it comes back afterwards.
  QWidget* button = window.control(kPatchButton);
  const bool buttonHadFocus = button->hasFocus();
  window.setButtonEnabled(kPatchButton, false);
  const RomResult patched = patchRom(QFile::encodeName(path).toStdString(), fieldValues(window),
                                     window.state().layout, kAllStats, window.fileIo());
  show(window, patchMessage(patched));
  window.setButtonEnabled(kPatchButton, true);
  if (buttonHadFocus) button->setFocus(Qt::OtherFocusReason);
}

}  // namespace zentrax::editor

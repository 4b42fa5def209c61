#include "load_action.h"

#include <QCoreApplication>
#include <QFile>

#include "controls.h"
#include "editor_window.h"
#include "field_text.h"
#include "rom_file.h"
#include "rom_messages.h"

namespace zentrax::editor {

QString programFolder() {
  return QCoreApplication::applicationDirPath() + u'/';
}

void fillValueFields(EditorWindow& window) {
  const EditorState& state = window.state();
  if (!state.image) return;
  const StatValues values = decode(*state.image, state.layout);
  for (const StatSlot& slot : kStatSlots) {
    const int stat = statIndex(slot.group, slot.index);
    window.setText(slot.id, QString::fromStdString(FieldText::format(values[stat])));
  }
}

void runLoadAction(EditorWindow& window) {
  QString current = window.text(kPathField);
  if (current.isEmpty()) current = programFolder();
  const DialogStart start = dialogStart(current);
  const QString chosen = window.dialogs().openRomPath(
      QString::fromUtf8(kOpenDialogTitle), start.dir, start.name, QString::fromUtf8(kRomFilter));
  if (chosen.isEmpty()) return;

  // The field names the chosen file whatever happens next.
  window.setText(kPathField, chosen);
  EditorState& state = window.state();
  state.recognisedPath.clear();

  RomImage image;
  const RomResult read =
      readRomImage(QFile::encodeName(chosen).toStdString(), image, window.fileIo());
  switch (read.status) {
    case RomStatus::ok:
      state.image = std::move(image);
      break;
    case RomStatus::empty:
      // The image held before stays and is shown again.
      window.dialogs().message(loadMessage(read).title, loadMessage(read).text);
      break;
    case RomStatus::outOfMemory:
      state.image.reset();
      window.dialogs().message(loadMessage(read).title, loadMessage(read).text);
      return;
    default:
      window.dialogs().message(loadMessage(read).title, loadMessage(read).text);
      return;
  }
  if (!state.image) return;

  if (identify(*state.image, state.layout)) {
    if (read.ok()) state.recognisedPath = chosen;
  } else {
    const EditorMessage unknown = loadMessage({RomStatus::notRecognised, 0});
    window.dialogs().message(unknown.title, unknown.text);
  }
  fillValueFields(window);
}

}  // namespace zentrax::editor

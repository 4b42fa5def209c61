// What the editor tells the user about each outcome of a load or a patch.
#pragma once

#include <QString>

#include "rom_file.h"

namespace zentrax::editor {

struct EditorMessage {
  QString title;
  QString text;
};

inline constexpr const char* kOpenDialogTitle = "set path to Zentrax Nes rom file";
inline constexpr const char* kRomFilter = "rom file (*.nes)";

// Message for a load that ended with this status; an empty title for ok. notRecognised is the
// identification failing.
EditorMessage loadMessage(const RomResult& result);
// Message for a patch that ended with this result, success included.
EditorMessage patchMessage(const RomResult& result);

// Patch refused before touching the file.
EditorMessage noPathMessage();
EditorMessage notLoadedMessage();

}  // namespace zentrax::editor

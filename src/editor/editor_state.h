// What the editor keeps from one action to the next, for the life of the program.
#pragma once

#include <QString>
#include <optional>

#include "stat_layout.h"

namespace zentrax::editor {

struct EditorState {
  // The content of the last file that loaded; none before the first and after a failed
  // allocation.
  std::optional<RomImage> image;
  // Zero until a recognised image has been identified.
  StatLayout layout;
  // The path whose last load read a recognised image. A patch goes only to this file: any other
  // file's tables are not where the layout says.
  QString recognisedPath;
};

}  // namespace zentrax::editor

// "patch rom": write the values of the fields into the loaded file, in place.
#pragma once

#include "stat_layout.h"

namespace zentrax::editor {

class EditorWindow;

void runPatchAction(EditorWindow& window);

// The fields' texts read as field values, in kStats order.
StatValues fieldValues(const EditorWindow& window);

}  // namespace zentrax::editor

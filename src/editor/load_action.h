// "view": pick a file, read it whole, identify it and fill the value fields.
#pragma once

#include <QString>

namespace zentrax::editor {

class EditorWindow;

void runLoadAction(EditorWindow& window);

// Sets every value field from the held image, decoded with the current layout.
void fillValueFields(EditorWindow& window);

// The folder the dialog starts in when the path field is empty: the program's own, with its
// trailing "/".
QString programFolder();

}  // namespace zentrax::editor

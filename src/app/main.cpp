// The editor's entry: one window, then Qt's event loop until the window is closed.
#include <QApplication>

#include "editor_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zentrax::editor::EditorWindow window;
  window.show();
  app.exec();
  // Closing the window is the only way out, and it asks nothing.
  return 0;
}

// The editor as its main() starts it, reporting when it is ready for the user.
#include <QApplication>

#include "editor_window.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zentrax::editor::EditorWindow window;
  window.show();
  zentrax::bench::reportWhenIdle(window);
  return app.exec();
}

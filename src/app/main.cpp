// The editor's entry: one window, then Qt's event loop until the window is closed.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "editor_window.h"

namespace {

QtMessageHandler defaultHandler = nullptr;

// Without a display Qt cannot make the window: it reports a fatal error and aborts. Say why in one
// line and end with status 1 instead; a core dump helps nobody, and status 0 would report the
// failure as success.
void endOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (defaultHandler != nullptr) defaultHandler(type, context, message);
    return;
  }
  std::fprintf(stderr, "zentrax-editor: %s\n", qPrintable(message.trimmed()));
  std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  defaultHandler = qInstallMessageHandler(endOnFatal);
  QApplication app(argc, argv);
  zentrax::editor::EditorWindow window;
  window.show();
  app.exec();
  // Closing the window is the only way out, and it asks nothing.
  return 0;
}

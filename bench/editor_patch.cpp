// One load and one patch of ROM through the editor's own actions, for counting the system calls
// the patch makes on the file: the access() of the marker path tells where the patch starts.
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "controls.h"
#include "editor_dialogs.h"
#include "editor_window.h"

namespace {

class AnswerDialogs final : public zentrax::editor::EditorDialogs {
 public:
  explicit AnswerDialogs(QString path) : path_(std::move(path)) {}
  QString openRomPath(const QString&, const QString&, const QString&, const QString&) override {
    return path_;
  }
  void message(const QString& title, const QString& text) override {
    std::printf("%s: %s\n", qPrintable(title), qPrintable(text));
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ROM MARKER\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  AnswerDialogs dialogs(QString::fromLocal8Bit(argv[1]));
  zentrax::editor::EditorWindow window(&dialogs);
  using zentrax::editor::kPatchButton;
  using zentrax::editor::kViewButton;
  static_cast<QPushButton*>(window.control(kViewButton))->click();
  ::access(argv[2], F_OK);
  static_cast<QPushButton*>(window.control(kPatchButton))->click();
  return 0;
}

// The modal dialogs of the editor, behind a seam so that tests can script them.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace zentrax::editor {

class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;
  // The chosen full path, or an empty string when the user cancels. The file need not exist.
  virtual QString openRomPath(const QString& title, const QString& startDir,
                              const QString& proposedName, const QString& filter) = 0;
  // A message box with a single OK button and no icon.
  virtual void message(const QString& title, const QString& text) = 0;
};

// QFileDialog and QMessageBox, modal to the parent window.
class WidgetDialogs final : public EditorDialogs {
 public:
  explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}
  QString openRomPath(const QString& title, const QString& startDir, const QString& proposedName,
                      const QString& filter) override;
  void message(const QString& title, const QString& text) override;

 private:
  QWidget* parent_;
};

// Sets up an open dialog as openRomPath shows it.
void configureOpenDialog(QFileDialog& dialog, const QString& title, const QString& startDir,
                         const QString& proposedName, const QString& filter);

// Where the open dialog starts for the path in the path field: the folder before its last "/"
// ("/" itself for a file in the root) and the name after it, or no folder and the whole path
// as the name when it holds no "/". The name is empty when it is not a usable file name.
struct DialogStart {
  QString dir;
  QString name;
};
DialogStart dialogStart(const QString& path);

}  // namespace zentrax::editor

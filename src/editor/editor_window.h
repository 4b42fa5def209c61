// The editor's only window: the path field, the two buttons and the grid of 60 value fields.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>

#include "controls.h"
#include "editor_dialogs.h"
#include "editor_state.h"
#include "file_io.h"

class QFontMetrics;

namespace zentrax::editor {

class EditorWindow : public QWidget {
 public:
  // Without dialogs of its own the window shows the real file dialog and message boxes.
  explicit EditorWindow(EditorDialogs* dialogs = nullptr, FileIo& io = systemFileIo());
  ~EditorWindow() override;

  // The control with this id, or nullptr.
  QWidget* control(ControlId id) const;
  // The id of a control, or of the control a widget belongs to (a value field's text box); -1
  // for anything else.
  ControlId controlId(const QWidget* widget) const;

  // Texts of the path field and the value fields. Setting a text never runs an action.
  QString text(ControlId id) const;
  void setText(ControlId id, const QString& text);
  void setButtonEnabled(ControlId id, bool enabled);

  EditorState& state() { return state_; }
  EditorDialogs& dialogs() { return *dialogs_; }
  FileIo& fileIo() { return io_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void createControls();
  void centreOnScreen();

  std::unique_ptr<EditorDialogs> ownDialogs_;
  EditorDialogs* dialogs_;
  FileIo& io_;
  EditorState state_;
  std::map<ControlId, QWidget*> controls_;
};

// True when, in these metrics, the header's text stays on one line of its label and each column
// word of the header overlaps the x range of its column of value fields.
bool headerFitsColumns(ControlId header, const QFont& font);
// The largest size of the base font, no larger than it, at which both headers fit their columns.
QFont headerFont(const QFont& base);

}  // namespace zentrax::editor

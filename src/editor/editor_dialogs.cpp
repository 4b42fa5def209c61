#include "editor_dialogs.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QStringList>

namespace zentrax::editor {
namespace {

bool isUsableFileName(const QString& name) {
  if (name.isEmpty() || name == u"." || name == u"..") return false;
  return std::none_of(name.begin(), name.end(),
                      [](QChar c) { return c.unicode() < 0x20 || c == u'/'; });
}

}  // namespace

DialogStart dialogStart(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  if (slash < 0) return {{}, isUsableFileName(path) ? path : QString()};
  const QString name = path.mid(slash + 1);
  return {slash == 0 ? QStringLiteral("/") : path.left(slash),
          isUsableFileName(name) ? name : QString()};
}

void configureOpenDialog(QFileDialog& dialog, const QString& title, const QString& startDir,
                         const QString& proposedName, const QString& filter) {
  dialog.setWindowTitle(title);
  // Qt's own dialog on every desktop, so that the filter and the typed names behave the same.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist yet may be typed; the load then reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  // Images copied from other systems often end in .NES.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  if (!startDir.isEmpty()) dialog.setDirectory(startDir);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
}

QString WidgetDialogs::openRomPath(const QString& title, const QString& startDir,
                                   const QString& proposedName, const QString& filter) {
  QFileDialog dialog(parent_);
  configureOpenDialog(dialog, title, startDir, proposedName, filter);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

void WidgetDialogs::message(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  // Some styles put an icon on the button as well; the box shows none at all.
  if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());
  box.exec();
}

}  // namespace zentrax::editor

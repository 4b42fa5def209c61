// A window with scripted dialogs and a folder of synthetic images, for the load and patch tests.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <string>

#include "editor_window.h"
#include "faulty_file_io.h"
#include "field_text.h"
#include "file_io.h"
#include "load_action.h"
#include "patch_action.h"
#include "rom_fixture.h"
#include "scripted_dialogs.h"

namespace zentrax::editor::test {

using zentrax::test::TempDir;

inline QString qpath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

class EditorFixture : public ::testing::Test {
 public:
  // Loads the file as if the user picked it in the dialog.
  void load(const std::filesystem::path& path) {
    dialogs.answers.push_back(qpath(path));
    clickView();
  }
  void clickView() { QTest::mouseClick(window.control(kViewButton), Qt::LeftButton); }
  void clickPatch() { QTest::mouseClick(window.control(kPatchButton), Qt::LeftButton); }
  bool patchEnabled() const { return window.control(kPatchButton)->isEnabled(); }

  // The text every value field shows, in kStats order.
  std::vector<QString> fieldTexts() const {
    std::vector<QString> texts;
    for (const StatSlot& slot : kStatSlots) texts.push_back(window.text(slot.id));
    return texts;
  }
  // The texts a load of this image shows.
  static std::vector<QString> textsOf(const RomImage& image) {
    const StatValues values = decode(image, kRecognisedLayout);
    std::vector<QString> texts;
    for (const StatSlot& slot : kStatSlots) {
      texts.push_back(
          QString::fromStdString(FieldText::format(values[statIndex(slot.group, slot.index)])));
    }
    return texts;
  }

  TempDir dir;
  // Passes every call to the system until a test gives it a fault.
  zentrax::test::FaultyFileIo io;
  ScriptedDialogs dialogs;
  EditorWindow window{&dialogs, io};
};

}  // namespace zentrax::editor::test

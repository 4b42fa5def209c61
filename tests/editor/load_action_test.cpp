#include "load_action.h"

#include <QDir>
#include <QFileDialog>
#include <cerrno>
#include <optional>

#include "editor_fixture.h"

namespace zentrax::editor::test {
namespace {

using zentrax::test::ForeignLock;
using zentrax::test::makeRom;
using zentrax::test::makeUnknownRom;
using zentrax::test::writeFile;

using LoadAction = EditorFixture;

const Message kCantRead{"Error!", "Cant read file"};
const Message kEmpty{"Error!", "Rom file is empty (0 bytes)"};
const Message kUnknown{"Error!", "Unknown ROM"};

TEST_F(LoadAction, GoodImageFillsEveryFieldWithoutAMessage) {
  const RomImage rom = makeRom();
  writeFile(dir.file("zentrax.nes"), rom);
  load(dir.file("zentrax.nes"));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(window.text(kPathField), qpath(dir.file("zentrax.nes")));
  EXPECT_EQ(fieldTexts(), textsOf(rom));
  EXPECT_EQ(window.state().layout, kRecognisedLayout);
}

TEST_F(LoadAction, DialogStartsInTheProgramFolderThenAtTheLastChosenPath) {
  dialogs.answers.push_back(qpath(dir.file("missing.nes")));
  clickView();
  clickView();
  ASSERT_EQ(dialogs.opens.size(), 2u);
  const OpenCall& first = dialogs.opens[0];
  EXPECT_EQ(first.title, "set path to Zentrax Nes rom file");
  EXPECT_EQ(first.filter, "rom file (*.nes)");
  EXPECT_EQ(QDir(first.startDir), QDir(QCoreApplication::applicationDirPath()));
  EXPECT_EQ(first.proposedName, "");
  // The second starts at the file chosen before, although its load failed.
  EXPECT_EQ(dialogs.opens[1].startDir, qpath(dir.path()));
  EXPECT_EQ(dialogs.opens[1].proposedName, "missing.nes");
}

TEST_F(LoadAction, CancelChangesNothing) {
  const RomImage rom = makeRom();
  writeFile(dir.file("zentrax.nes"), rom);
  load(dir.file("zentrax.nes"));
  window.setText(57, "7");
  clickView();
  EXPECT_EQ(window.text(kPathField), qpath(dir.file("zentrax.nes")));
  EXPECT_EQ(window.text(57), "7");
  EXPECT_TRUE(dialogs.messages.empty());
}

struct FailedLoadCase {
  const char* name;
  const char* file;
  Message message;
  // What the fields show afterwards: the edited ones, or the held image's values again.
  bool fieldsRefilled;
  std::optional<zentrax::test::Fault> fault = std::nullopt;
};

// A good image is loaded and a field edited, then the user picks the failing file.
TEST_F(LoadAction, FailuresShowTheirMessageAndKeepWhatTheyShould) {
  const RomImage rom = makeRom();
  writeFile(dir.file("zentrax.nes"), rom);
  writeFile(dir.file("locked.nes"), makeRom());
  writeFile(dir.file("empty.nes"), {});
  const FailedLoadCase cases[] = {
      {"missing file", "missing.nes", kCantRead, false},
      {"file held by another program", "locked.nes", kCantRead, false},
      {"directory", "", kCantRead, false},
      {"empty file refills from the image held before", "empty.nes", kEmpty, true},
      {"read fails part way", "zentrax.nes", kCantRead, false,
       zentrax::test::Fault{zentrax::test::FileOp::pread, 1, EIO}},
  };
  ForeignLock lock(dir.file("locked.nes"));
  for (const FailedLoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.messages.clear();
    load(dir.file("zentrax.nes"));
    window.setText(57, "abc");
    if (c.fault) io = zentrax::test::FaultyFileIo(*c.fault);
    load(dir.file(c.file));
    io = zentrax::test::FaultyFileIo();
    EXPECT_EQ(window.text(kPathField), qpath(dir.file(c.file)));
    EXPECT_EQ(dialogs.messages, std::vector<Message>{c.message});
    EXPECT_EQ(window.state().layout, kRecognisedLayout);
    ASSERT_TRUE(window.state().image.has_value());
    EXPECT_TRUE(zentrax::test::sameBytes(rom, *window.state().image));
    EXPECT_EQ(window.text(57), c.fieldsRefilled ? textsOf(rom)[1] : "abc");
    EXPECT_TRUE(window.state().recognisedPath.isEmpty());
  }
}

TEST_F(LoadAction, UnknownImageKeepsTheLayout) {
  writeFile(dir.file("zentrax.nes"), makeRom());
  writeFile(dir.file("other.nes"), makeUnknownRom());
  load(dir.file("other.nes"));
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kUnknown});
  EXPECT_EQ(window.state().layout, StatLayout{});

  dialogs.messages.clear();
  load(dir.file("zentrax.nes"));
  load(dir.file("other.nes"));
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kUnknown});
  EXPECT_EQ(window.state().layout, kRecognisedLayout);
  // The fields show the unknown file read at the layout in force.
  EXPECT_EQ(fieldTexts(), textsOf(makeUnknownRom()));
  EXPECT_TRUE(window.state().recognisedPath.isEmpty());
}

TEST_F(LoadAction, LoadingAgainRestoresTheNumbersFromTheFile) {
  const RomImage rom = makeRom();
  writeFile(dir.file("zentrax.nes"), rom);
  load(dir.file("zentrax.nes"));
  for (const StatSlot& slot : kStatSlots) window.setText(slot.id, "1");
  load(dir.file("zentrax.nes"));
  EXPECT_EQ(fieldTexts(), textsOf(rom));
}

struct StartCase {
  const char* name;
  const char* path;
  const char* dir;
  const char* file;
};

TEST(DialogStart, SplitsThePathAtItsLastSlash) {
  const StartCase cases[] = {
      {"file in a folder", "/home/u/roms/zentrax.nes", "/home/u/roms", "zentrax.nes"},
      {"folder with trailing slash", "/opt/zentrax/", "/opt/zentrax", ""},
      {"file in the root", "/zentrax.nes", "/", "zentrax.nes"},
      {"bare name", "zentrax.nes", "", "zentrax.nes"},
      {"parent reference is no file name", "/home/..", "/home", ""},
      {"control character", "/home/a\tb.nes", "/home", ""},
      {"spaces and backslashes are fine on Linux", "/r/my rom\\1.NES", "/r", "my rom\\1.NES"},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DialogStart start = dialogStart(QString::fromUtf8(c.path));
    EXPECT_EQ(start.dir, QString::fromUtf8(c.dir));
    EXPECT_EQ(start.name, QString::fromUtf8(c.file));
  }
}

TEST(OpenDialog, MatchesUpperCaseExtensionsAndTakesNewNames) {
  TempDir dir;
  QFileDialog dialog;
  configureOpenDialog(dialog, "set path to Zentrax Nes rom file", qpath(dir.path()), "new.nes",
                      "rom file (*.nes)");
  EXPECT_EQ(dialog.windowTitle(), "set path to Zentrax Nes rom file");
  EXPECT_EQ(dialog.nameFilters(), QStringList{"rom file (*.nes)"});
  EXPECT_FALSE(dialog.filter() & QDir::CaseSensitive);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_EQ(QDir(dialog.directory()), QDir(qpath(dir.path())));
}

}  // namespace
}  // namespace zentrax::editor::test

#include "patch_action.h"

#include "editor_fixture.h"
#include "faulty_file_io.h"
#include "rom_messages.h"

namespace zentrax::editor::test {
namespace {

using zentrax::test::Fault;
using zentrax::test::FaultyFileIo;
using zentrax::test::FileOp;
using zentrax::test::ForeignLock;
using zentrax::test::makeRom;
using zentrax::test::makeUnknownRom;
using zentrax::test::readFile;
using zentrax::test::sameBytes;
using zentrax::test::writeFile;

const Message kPatched{"attention", "rom patched"};
const Message kNoPath{"error", "you didnt set path to rom file, or file size of rom is 0bytes"};
const Message kCantOpen{"error", "cant open rom file. file is bussy or not exists"};
const Message kNotLoaded{notLoadedMessage().title, notLoadedMessage().text};

class PatchAction : public EditorFixture {
 public:
  PatchAction() { writeFile(rom(), original); }
  std::filesystem::path rom() const { return dir.file("zentrax.nes"); }
  RomImage onDisk() const { return readFile(rom()); }

  const RomImage original = makeRom();
};

TEST_F(PatchAction, BeforeAnyLoadAsksForThePath) {
  clickPatch();
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kNoPath});
  EXPECT_TRUE(patchEnabled());
}

TEST_F(PatchAction, WithoutEditsLeavesTheFileUnchanged) {
  load(rom());
  bool disabledWhileShown = false;
  dialogs.whileShown = [&](const Message&) { disabledWhileShown = !patchEnabled(); };
  clickPatch();
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kPatched});
  EXPECT_TRUE(disabledWhileShown);
  EXPECT_TRUE(patchEnabled());
  EXPECT_TRUE(sameBytes(original, onDisk()));
}

struct EditCase {
  const char* name;
  ControlId field;
  const char* text;
  // The bytes that change, with their new values.
  std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes;
};

TEST_F(PatchAction, EditsChangeExactlyTheirBytes) {
  const StatLayout& l = kRecognisedLayout;
  const EditCase cases[] = {
      {"top speed car 2 gold", 89 + 4, "200", {{l.topSpeed + 1 + 3 * 11, 200}}},
      {"base top speed", 56, "7", {{l.baseTopSpeed, 7}}},
      {"motor split over its two tables",
       59,
       "4660",
       {{l.motorAccel + 2, 0x34}, {l.motorAccel + 9, 0x12}}},
      {"AI acceleration word", 123, "$BEEF", {{l.aiAccel + 40, 0xEF}, {l.aiAccel + 41, 0xBE}}},
      {"tire normal row", 66, "%100000001", {{l.tires + 4, 0x01}, {l.tires + 5, 0x01}}},
      {"yellow AI rare row is written", 74, "258", {{l.tires + 18, 0x02}, {l.tires + 19, 0x01}}},
      {"text without digits writes 0", 82, "abc", {{l.topSpeed + 1, 0}}},
      {"hexadecimal", 83, "$1F", {{l.topSpeed + 4, 31}}},
      {"300 in a byte slot writes 44", 84, "300", {{l.topSpeed + 7, 44}}},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(rom(), original);
    load(rom());
    dialogs.messages.clear();
    window.setText(c.field, QString::fromUtf8(c.text));
    clickPatch();
    EXPECT_EQ(dialogs.messages, std::vector<Message>{kPatched});
    RomImage expected = original;
    for (const auto& [offset, value] : c.bytes) expected[offset] = value;
    EXPECT_TRUE(sameBytes(expected, onDisk()));
  }
}

TEST_F(PatchAction, PathsLongerThan260CharactersWork) {
  std::filesystem::path deep = dir.path();
  for (int i = 0; i < 6; ++i) deep /= std::string(60, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  const std::filesystem::path longRom = deep / "zentrax.nes";
  ASSERT_GT(longRom.string().size(), 360u);
  writeFile(longRom, original);
  load(longRom);
  window.setText(56, "9");
  clickPatch();
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kPatched});
  RomImage expected = original;
  expected[kRecognisedLayout.baseTopSpeed] = 9;
  EXPECT_TRUE(sameBytes(expected, readFile(longRom)));
}

TEST_F(PatchAction, ValueTypedByTheUserReachesTheFile) {
  load(rom());
  QWidget* field = window.control(96);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "9");
  QTest::keyClick(field, Qt::Key_Up);
  clickPatch();
  RomImage expected = original;
  expected[kRecognisedLayout.topSpeed + 1 + 3 * 14] = 10;
  EXPECT_TRUE(sameBytes(expected, onDisk()));
}

struct RefusedCase {
  const char* name;
  // Runs after the good image was loaded and a field edited.
  std::function<void(PatchAction&)> setUp;
  Message message;
  bool buttonDisabledWhileShown;
};

TEST_F(PatchAction, RefusesAndWritesNothing) {
  const RomImage unknown = makeUnknownRom();
  const RefusedCase cases[] = {
      {"after an unknown image was loaded",
       [&](PatchAction& t) {
         writeFile(t.dir.file("other.nes"), unknown);
         t.load(t.dir.file("other.nes"));
       },
       kNotLoaded, false},
      {"after the load of the file failed",
       [](PatchAction& t) {
         ForeignLock lock(t.rom());
         t.load(t.rom());
       },
       kNotLoaded, false},
      {"file removed since the load", [](PatchAction& t) { std::filesystem::remove(t.rom()); },
       kNoPath, false},
      {"file emptied since the load", [](PatchAction& t) { writeFile(t.rom(), {}); }, kNoPath,
       false},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(rom(), original);
    load(rom());
    window.setText(82, "1");
    c.setUp(*this);
    const RomImage before = std::filesystem::exists(rom()) ? onDisk() : RomImage{};
    dialogs.messages.clear();
    bool disabledWhileShown = false;
    dialogs.whileShown = [&](const Message&) { disabledWhileShown = !patchEnabled(); };
    clickPatch();
    dialogs.whileShown = nullptr;
    EXPECT_EQ(dialogs.messages, std::vector<Message>{c.message});
    EXPECT_EQ(disabledWhileShown, c.buttonDisabledWhileShown);
    EXPECT_TRUE(patchEnabled());
    if (std::filesystem::exists(rom())) {
      EXPECT_TRUE(sameBytes(before, onDisk()));
    }
    if (std::filesystem::exists(dir.file("other.nes"))) {
      EXPECT_TRUE(sameBytes(unknown, readFile(dir.file("other.nes"))));
    }
  }
}

TEST_F(PatchAction, FileHeldByAnotherProgramCannotBeOpened) {
  load(rom());
  window.setText(82, "1");
  ForeignLock lock(rom());
  bool disabledWhileShown = false;
  dialogs.whileShown = [&](const Message&) { disabledWhileShown = !patchEnabled(); };
  clickPatch();
  EXPECT_EQ(dialogs.messages, std::vector<Message>{kCantOpen});
  EXPECT_TRUE(disabledWhileShown);
  EXPECT_TRUE(patchEnabled());
  EXPECT_TRUE(sameBytes(original, onDisk()));
}

TEST_F(PatchAction, FileReplacedByAnotherSinceTheLoadIsNotWritten) {
  load(rom());
  window.setText(82, "1");
  writeFile(rom(), makeUnknownRom());
  clickPatch();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "error");
  EXPECT_NE(dialogs.messages[0], kPatched);
  EXPECT_TRUE(sameBytes(makeUnknownRom(), onDisk()));
}

TEST_F(PatchAction, FailuresAreReportedAsErrorsNeverAsSuccess) {
  const struct {
    const char* name;
    Fault fault;
  } cases[] = {
      {"open", {FileOp::open, 1, EACCES}},          {"signature read", {FileOp::pread, 1, EIO}},
      {"first write", {FileOp::pwrite, 1, ENOSPC}}, {"last write", {FileOp::pwrite, 5, ENOSPC}},
      {"flush", {FileOp::fsync, 1, EIO}},           {"close", {FileOp::close, 1, EIO}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    io = FaultyFileIo();
    load(rom());
    window.setText(82, "1");
    dialogs.messages.clear();
    io = FaultyFileIo(c.fault);
    clickPatch();
    EXPECT_TRUE(io.faultHit());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "error");
    EXPECT_NE(dialogs.messages[0].text, "rom patched");
    EXPECT_TRUE(patchEnabled());
  }
}

}  // namespace
}  // namespace zentrax::editor::test

#include "editor_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "scripted_dialogs.h"
#include "value_field.h"

namespace zentrax::editor {
namespace {

struct ShownWindow : ::testing::Test {
  test::ScriptedDialogs dialogs;
  EditorWindow window{&dialogs};

  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  ControlId focused() const { return window.controlId(QApplication::focusWidget()); }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window, key, modifiers);
  }
};

TEST_F(ShownWindow, IsFixedAtItsSizeWithoutMaximise) {
  EXPECT_EQ(window.windowTitle(), "Zentrax stats editor");
  EXPECT_EQ(window.size(), QSize(1000, 700));
  EXPECT_EQ(window.minimumSize(), QSize(1000, 700));
  EXPECT_EQ(window.maximumSize(), QSize(1000, 700));
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  const QPoint centre = window.screen()->availableGeometry().center();
  EXPECT_LE((window.geometry().center() - centre).manhattanLength(), 2);
}

TEST_F(ShownWindow, ClosingEndsTheEventLoopWithoutAQuestion) {
  window.setText(82, "99");
  QTimer::singleShot(0, &window, &QWidget::close);
  // Should the close be held up, the loop ends with an error instead of hanging.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(dialogs.messages.empty());
}

struct ExpectedControl {
  ControlId id;
  QRect geometry;
  const char* text;
};

TEST_F(ShownWindow, ControlsStandWhereTheyBelongWithTheirTexts) {
  const ExpectedControl rows[] = {
      {2, {10, 10, 300, 20}, "path to rom file"},
      {3, {10, 30, 300, 20}, ""},
      {4, {315, 30, 50, 20}, "view"},
      {284, {420, 20, 80, 30}, "patch rom"},
      {13,
       {10, 80, 420, 16},
       "Motor:              standart            red        black         silver          gold"
       "         hyper       mega"},
      {14,
       {10, 428, 400, 20},
       "Tires:              standart         skinny   nobblies     dynafit   scoopers"},
      {22, {10, 94, 80, 32}, "acceleration:  (players only)"},
      {23, {10, 446, 100, 28}, "normal:"},
      {24, {10, 478, 100, 28}, "yellow AI rare:"},
      {26, {2, 130, 100, 28}, "car1 top speed:"},
      {27, {2, 162, 100, 28}, "car2 top speed:"},
      {28, {2, 194, 100, 28}, "car3 top speed:"},
      {29, {4, 258, 100, 28}, "AI car1 accel:"},
      {30, {4, 290, 100, 28}, "AI car2 accel:"},
      {31, {4, 322, 100, 28}, "AI car3 accel:"},
      {21, {436, 126, 60, 40}, "base top speed:"},
      {56, {480, 130, 45, 20}, ""},
      {57, {80, 98, 45, 20}, ""},
      {63, {380, 98, 45, 20}, ""},
      {64, {80, 446, 45, 20}, ""},
      {74, {280, 478, 45, 20}, ""},
      {88, {380, 130, 45, 20}, ""},
      {89, {80, 162, 45, 20}, ""},
      {102, {380, 194, 45, 20}, ""},
      {110, {80, 290, 45, 20}, ""},
      {123, {380, 322, 45, 20}, ""},
  };
  for (const ExpectedControl& row : rows) {
    SCOPED_TRACE(row.id);
    QWidget* widget = window.control(row.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), row.geometry);
    EXPECT_TRUE(widget->isVisible());
    QString text;
    if (auto* label = dynamic_cast<QLabel*>(widget)) text = label->text();
    if (auto* button = dynamic_cast<QPushButton*>(widget)) text = button->text();
    if (dynamic_cast<QLineEdit*>(widget) || dynamic_cast<ValueField*>(widget)) {
      text = window.text(row.id);
    }
    EXPECT_EQ(text, QString::fromUtf8(row.text));
  }
  for (ControlId unused : {0, 1, 5, 12, 69, 75, 81, 124, 283}) {
    EXPECT_EQ(window.control(unused), nullptr) << unused;
  }
}

TEST_F(ShownWindow, EveryStatHasOneValueFieldInItsGridColumn) {
  std::vector<ControlId> ids;
  for (const StatSlot& slot : kStatSlots) {
    auto* field = dynamic_cast<ValueField*>(window.control(slot.id));
    ASSERT_NE(field, nullptr) << slot.id;
    EXPECT_EQ(field->size(), QSize(45, 20)) << slot.id;
    const bool gridRow = slot.group != StatGroup::baseTopSpeed;
    const int column = slot.group == StatGroup::topSpeed || slot.group == StatGroup::aiAccel
                           ? slot.index % kMotorCount
                           : slot.index;
    if (gridRow) {
      EXPECT_EQ(field->x(), 80 + 50 * column) << slot.id;
    }
    ids.push_back(slot.id);
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

TEST_F(ShownWindow, TheLargestValueOfEverySlotCanBeTypedInFullInDecimalAndHex) {
  // A word cut off at the box's edge would read as another number.
  for (const StatSlot& slot : kStatSlots) {
    auto* field = dynamic_cast<ValueField*>(window.control(slot.id));
    ASSERT_NE(field, nullptr) << slot.id;
    const std::uint32_t max = slotMax(kStats[statIndex(slot.group, slot.index)]);
    for (const QString& largest :
         {QString::number(max), "$" + QString::number(max, 16).toUpper()}) {
      field->setText(QString());
      QTest::keyClicks(field->textBox(), largest);
      EXPECT_EQ(field->text(), largest) << slot.id;
    }
  }
}

// The order the focus takes from the start of the window: path field, buttons, value fields.
std::vector<ControlId> tabOrder() {
  std::vector<ControlId> order{3, 4, 284};
  for (ControlId id = 57; id <= 68; ++id) order.push_back(id);
  for (ControlId id = 70; id <= 74; ++id) order.push_back(id);
  for (ControlId id = 82; id <= 123; ++id) order.push_back(id);
  order.push_back(56);
  return order;
}

TEST_F(ShownWindow, NoControlHasFocusAtFirst) {
  EXPECT_EQ(focused(), -1);
}

TEST_F(ShownWindow, TabVisitsEveryControlInCreationOrderAndWraps) {
  const std::vector<ControlId> order = tabOrder();
  for (ControlId expected : order) {
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), expected);
  }
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), 3);
}

TEST_F(ShownWindow, ShiftTabGoesBackwardFromTheLastFieldAndWraps) {
  std::vector<ControlId> order = tabOrder();
  std::reverse(order.begin(), order.end());
  for (ControlId expected : order) {
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), expected);
  }
  press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused(), 56);
}

TEST_F(ShownWindow, ClickingTheBackgroundLeavesTheFocusWhereItWas) {
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  ASSERT_EQ(focused(), 4);
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(900, 600));
  EXPECT_EQ(focused(), 4);
}

TEST_F(ShownWindow, UserCannotTypeIntoThePathField) {
  window.setText(kPathField, "/some/rom.nes");
  press(Qt::Key_Tab);
  ASSERT_EQ(focused(), kPathField);
  QTest::keyClicks(QApplication::focusWidget(), "x");
  press(Qt::Key_Backspace);
  EXPECT_EQ(window.text(kPathField), "/some/rom.nes");
}

TEST_F(ShownWindow, FillingFieldsFromTheProgramRunsNoAction) {
  for (const StatSlot& slot : kStatSlots) window.setText(slot.id, "300");
  window.setText(kPathField, "/x.nes");
  QTest::qWait(10);
  EXPECT_TRUE(dialogs.opens.empty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ShownWindow, OnlyTheTwoButtonsAct) {
  QTest::mouseClick(window.control(kViewButton), Qt::LeftButton);
  EXPECT_EQ(dialogs.opens.size(), 1u);
  QTest::mouseClick(window.control(kPatchButton), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  QTest::mouseClick(window.control(kPathField), Qt::LeftButton);
  QTest::mouseClick(window.control(kMotorHeader), Qt::LeftButton);
  EXPECT_EQ(dialogs.opens.size(), 1u);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

// Where the words of a header fall over the columns, measured with the label's own font.
TEST_F(ShownWindow, HeaderWordsStayOnOneLineOverTheirColumns) {
  for (ControlId id : {kMotorHeader, kTireHeader}) {
    SCOPED_TRACE(id);
    auto* label = dynamic_cast<QLabel*>(window.control(id));
    ASSERT_NE(label, nullptr);
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = label->text();
    EXPECT_LE(metrics.horizontalAdvance(text), label->width());
    EXPECT_EQ(metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, text).height(),
              metrics.boundingRect(label->contentsRect(), 0, text).height());
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    qsizetype from = words.front().size();
    for (int column = 0; column + 1 < words.size(); ++column) {
      const QString& word = words[column + 1];
      const qsizetype at = text.indexOf(word, from);
      from = at + word.size();
      const int left = label->x() + metrics.horizontalAdvance(text.left(at));
      const int right = label->x() + metrics.horizontalAdvance(text.left(from));
      const int columnLeft = 80 + 50 * column;
      EXPECT_LT(left, columnLeft + 45) << word.toStdString();
      EXPECT_GT(right, columnLeft) << word.toStdString();
    }
  }
}

}  // namespace
}  // namespace zentrax::editor

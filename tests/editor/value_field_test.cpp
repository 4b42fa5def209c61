#include "value_field.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

namespace zentrax::editor {
namespace {

struct ShownField : ::testing::Test {
  QWidget window;
  ValueField* field = new ValueField(&window);

  void SetUp() override {
    window.resize(200, 100);
    field->setGeometry(80, 30, 45, 20);
    field->fitFontTo("255");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    field->setFocus();
  }
  QPoint arrowCentre(QStyle::SubControl arrow) const {
    QStyleOptionSpinBox option;
    option.initFrom(field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = field->buttonSymbols();
    option.frame = field->hasFrame();
    return field->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, field).center();
  }
};

struct StepCase {
  const char* name;
  const char* start;
  int steps;  // positive: Up key presses, negative: Down
  const char* expected;
};

TEST_F(ShownField, ArrowKeysStepWithinTheByteRange) {
  const StepCase cases[] = {
      {"up by one", "41", 1, "42"},
      {"down by one", "42", -1, "41"},
      {"stops at the top", "254", 3, "255"},
      {"stops at the bottom", "1", -3, "0"},
      {"text without a number starts from 0", "abc", 1, "1"},
      {"above the range starts from 255", "300", -1, "254"},
      {"above the range cannot step up", "300", 1, "300"},
      {"below the range starts from 0", "-5", 2, "2"},
      {"hexadecimal text is read as its value", "$1F", 1, "32"},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    field->setText(QString::fromUtf8(c.start));
    const Qt::Key key = c.steps > 0 ? Qt::Key_Up : Qt::Key_Down;
    for (int i = 0; i < std::abs(c.steps); ++i) QTest::keyClick(field, key);
    EXPECT_EQ(field->text(), QString::fromUtf8(c.expected));
  }
}

TEST_F(ShownField, ArrowButtonsStepAndStopAtTheEnds) {
  field->setText("254");
  QTest::mouseClick(field, Qt::LeftButton, {}, arrowCentre(QStyle::SC_SpinBoxUp));
  EXPECT_EQ(field->text(), "255");
  QTest::mouseClick(field, Qt::LeftButton, {}, arrowCentre(QStyle::SC_SpinBoxUp));
  EXPECT_EQ(field->text(), "255");
  QTest::mouseClick(field, Qt::LeftButton, {}, arrowCentre(QStyle::SC_SpinBoxDown));
  EXPECT_EQ(field->text(), "254");
}

TEST_F(ShownField, HoldingAnArrowRepeatsAndSpeedsUp) {
  EXPECT_TRUE(field->isAccelerated());
  field->setText("0");
  QTest::mousePress(field, Qt::LeftButton, {}, arrowCentre(QStyle::SC_SpinBoxUp));
  QTest::qWait(1200);
  QTest::mouseRelease(field, Qt::LeftButton, {}, arrowCentre(QStyle::SC_SpinBoxUp));
  EXPECT_GT(field->text().toInt(), 2);
}

TEST_F(ShownField, ShowsAnyTextTheProgramSets) {
  field->setText("300");
  EXPECT_EQ(field->text(), "300");
  EXPECT_EQ(field->textBox()->displayText(), "300");
  const QLineEdit* edit = field->textBox();
  EXPECT_LE(edit->fontMetrics().horizontalAdvance("300"), edit->contentsRect().width());
}

TEST_F(ShownField, TypingTakesAnyCharactersButOnlyAsManyAsFit) {
  field->setText("");
  QTest::keyClicks(field->textBox(), "255");
  EXPECT_EQ(field->text(), "255");
  field->setText("");
  QTest::keyClicks(field->textBox(), "x$");
  EXPECT_EQ(field->text(), "x$");
  field->setText("");
  QTest::keyClicks(field->textBox(), "12345678901234567890");
  const QString typed = field->text();
  EXPECT_GT(typed.size(), 0);
  EXPECT_LT(typed.size(), 20);
  EXPECT_TRUE(QString("12345678901234567890").startsWith(typed));
  const QLineEdit* edit = field->textBox();
  EXPECT_LE(edit->fontMetrics().horizontalAdvance(typed), edit->contentsRect().width());
  // Shortening text that already does not fit stays possible.
  field->setText("65535655356553565535");
  field->textBox()->end(false);
  QTest::keyClick(field->textBox(), Qt::Key_Backspace);
  EXPECT_EQ(field->text(), "6553565535655356553");
}

TEST_F(ShownField, LeavingTheFieldKeepsItsText) {
  field->setText("abc");
  QWidget other(&window);
  other.setFocusPolicy(Qt::StrongFocus);
  other.show();
  other.setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(field->text(), "abc");
}

}  // namespace
}  // namespace zentrax::editor

#include "value_field.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QValidator>
#include <algorithm>

#include "field_text.h"
#include "font_fit.h"

namespace zentrax::editor {
namespace {

// Hands the text box's edits to the field's own validate().
class FieldValidator final : public QValidator {
 public:
  explicit FieldValidator(ValueField* field) : QValidator(field), field_(field) {}
  State validate(QString& input, int& pos) const override { return field_->validate(input, pos); }

 private:
  ValueField* field_;
};

}  // namespace

ValueField::ValueField(QWidget* parent) : QAbstractSpinBox(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(true);
  lineEdit()->setValidator(new FieldValidator(this));
  // The arrows' enabled look follows the text.
  connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
    accepted_ = text;
    update();
  });
}

QString ValueField::text() const {
  return lineEdit()->text();
}

void ValueField::setText(const QString& text) {
  lineEdit()->setText(text);
  // Text wider than the box shows its start, cut off at the right.
  lineEdit()->setCursorPosition(0);
}

int ValueField::stepBase() const {
  const std::int64_t value = FieldText::parse(text().toStdU16String());
  return static_cast<int>(std::clamp<std::int64_t>(value, kMin, kMax));
}

void ValueField::stepBy(int steps) {
  const int value = std::clamp(stepBase() + steps, kMin, kMax);
  lineEdit()->setText(QString::number(value));
  selectAll();
}

QAbstractSpinBox::StepEnabled ValueField::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  const int value = stepBase();
  StepEnabled enabled = StepNone;
  if (value > kMin) enabled |= StepDownEnabled;
  if (value < kMax) enabled |= StepUpEnabled;
  return enabled;
}

int ValueField::textRoom() const {
  // Taken from the style rather than the text box, so that it holds before the field is shown.
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QRect box =
      style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
  const QMargins margins = lineEdit()->textMargins();
  // QLineEdit keeps two pixels free on either side of its text, and one for the cursor.
  return box.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

QFont ValueField::fittingFont(const QString& sample) const {
  const int room = textRoom();
  return largestFittingFont(
      font(),
      [&](const QFont& font) { return QFontMetrics(font).horizontalAdvance(sample) <= room; },
      scaledPixelSize(font(), room, fontMetrics().horizontalAdvance(sample)));
}

void ValueField::fitFontTo(const QString& sample) {
  setFont(fittingFont(sample));
}

QValidator::State ValueField::validate(QString& input, int& /*pos*/) const {
  // Any characters may be typed, but the box does not scroll: an edit that would make the text
  // wider than the box, and wider than it already is, is refused.
  const QFontMetrics metrics(lineEdit()->font());
  const int width = metrics.horizontalAdvance(input);
  if (width > textRoom() && width > metrics.horizontalAdvance(accepted_)) {
    return QValidator::Invalid;
  }
  return QValidator::Acceptable;
}

}  // namespace zentrax::editor

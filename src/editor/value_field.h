// The spin field that shows one statistic.
#pragma once

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QString>

namespace zentrax::editor {

// Holds any text the program sets, "300" included, and lets the user type anything that fits in
// the box. The arrows and the Up/Down keys step the number by one within 0..255: they start from
// the field's text read as a field value and held to 0..255, so "abc" steps up to 1 and "300"
// down to 254.
class ValueField : public QAbstractSpinBox {
 public:
  static constexpr int kMin = 0;
  static constexpr int kMax = 255;

  explicit ValueField(QWidget* parent = nullptr);

  QString text() const;
  void setText(const QString& text);
  // The text box left of the arrows.
  QLineEdit* textBox() const { return lineEdit(); }

  // The largest size of its font, no larger than now, at which the sample fits the box.
  QFont fittingFont(const QString& sample) const;
  void fitFontTo(const QString& sample);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  // The number the arrows start from.
  int stepBase() const;
  // Width in pixels that text may take without scrolling the box.
  int textRoom() const;

  // The text as it stood before the edit being validated; the text box already holds the edit.
  QString accepted_;
};

}  // namespace zentrax::editor

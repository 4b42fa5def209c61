#include "editor_window.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <map>

#include "font_fit.h"
#include "load_action.h"
#include "patch_action.h"
#include "value_field.h"

namespace zentrax::editor {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool headerFitsColumns(ControlId header, const QFont& font) {
  const ControlDef* def = findControl(header);
  if (def == nullptr || def->kind != ControlKind::label) return false;
  const QString text = toQString(def->text);
  // One layout of the whole line gives every word's position; measuring each prefix on its own
  // would shape the text again for every word.
  QTextLayout layout(text, font);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  if (line.naturalTextWidth() > def->w) return false;
  auto xAt = [&](qsizetype at) { return def->x + qRound(line.cursorToX(static_cast<int>(at))); };
  // The first word names the row; the others stand over the columns.
  const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
  qsizetype from = text.indexOf(words.front()) + words.front().size();
  for (qsizetype column = 1; column < words.size(); ++column) {
    const qsizetype at = text.indexOf(words[column], from);
    from = at + words[column].size();
    const int columnLeft = kColumnX + kColumnPitch * static_cast<int>(column - 1);
    if (xAt(at) >= columnLeft + kFieldWidth || xAt(from) <= columnLeft) return false;
  }
  return true;
}

QFont headerFont(const QFont& base) {
  const ControlDef* motor = findControl(kMotorHeader);
  const int width = QFontMetrics(base).horizontalAdvance(toQString(motor->text));
  return largestFittingFont(
      base,
      [](const QFont& font) {
        return headerFitsColumns(kMotorHeader, font) && headerFitsColumns(kTireHeader, font);
      },
      scaledPixelSize(base, motor->w, width));
}

// How much of a label shows left of the value fields that overlap it.
int visibleWidth(const ControlDef& label) {
  int room = label.w;
  for (const ControlDef& other : controlTable()) {
    const bool sameRows = other.y < label.y + label.h && label.y < other.y + other.h;
    if (other.kind == ControlKind::valueField && sameRows && other.x > label.x &&
        other.x < label.x + label.w) {
      room = std::min(room, other.x - label.x);
    }
  }
  return room;
}

bool labelFits(const ControlDef& label, const QFontMetrics& metrics) {
  const int room = visibleWidth(label);
  const QRect used =
      metrics.boundingRect(QRect(0, 0, room, label.h),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, toQString(label.text));
  return used.width() <= room && used.height() <= label.h;
}

// One size for all the other labels, small enough that none runs under a value field.
QFont rowLabelFont(const QFont& base) {
  return largestFittingFont(base, [](const QFont& font) {
    const QFontMetrics metrics(font);
    return std::all_of(controlTable().begin(), controlTable().end(), [&](const ControlDef& def) {
      return def.kind != ControlKind::label || def.id == kMotorHeader || def.id == kTireHeader ||
             labelFits(def, metrics);
    });
  });
}

EditorWindow::EditorWindow(EditorDialogs* dialogs, FileIo& io)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      dialogs_(dialogs),
      io_(io) {
  if (dialogs_ == nullptr) {
    ownDialogs_ = std::make_unique<WidgetDialogs>(this);
    dialogs_ = ownDialogs_.get();
  }
  setWindowTitle(toQString(kWindowTitle));
  setFixedSize(kWindowWidth, kWindowHeight);
  createControls();
  // The window holds the focus itself until the user first moves it, so that no control has it
  // when the window first shows: the first Tab goes to the path field, the first Shift+Tab to
  // the last value field.
  setFocusPolicy(Qt::ClickFocus);
  setFocus(Qt::OtherFocusReason);
  centreOnScreen();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::createControls() {
  // Fitting a font measures text at every size; each answer serves all controls that share it.
  const QFont headers = headerFont(font());
  const QFont rowLabels = rowLabelFont(font());
  std::map<QString, QFont> fieldFonts;
  for (const ControlDef& def : controlTable()) {
    QWidget* widget = nullptr;
    switch (def.kind) {
      case ControlKind::label: {
        auto* label = new QLabel(toQString(def.text), this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setFont(def.id == kMotorHeader || def.id == kTireHeader ? headers : rowLabels);
        widget = label;
        break;
      }
      case ControlKind::pathField: {
        auto* field = new QLineEdit(this);
        field->setReadOnly(true);
        widget = field;
        break;
      }
      case ControlKind::button: {
        auto* button = new QPushButton(toQString(def.text), this);
        button->setAutoDefault(false);
        if (def.id == kViewButton) {
          connect(button, &QPushButton::clicked, this, [this] { runLoadAction(*this); });
        } else if (def.id == kPatchButton) {
          connect(button, &QPushButton::clicked, this, [this] { runPatchAction(*this); });
        }
        widget = button;
        break;
      }
      case ControlKind::valueField:
        widget = new ValueField(this);
        break;
    }
    widget->setGeometry(def.x, def.y, def.w, def.h);
    // The largest value of the field's slot, in decimal and in "$" hexadecimal, must fit its
    // box: a cut-off word would read as a different number, and could not be typed in full.
    if (auto* field = dynamic_cast<ValueField*>(widget)) {
      const std::uint32_t max = slotMax(kStats[statSlotIndex(def.id)]);
      const QString decimal = QString::number(max);
      const QString hex = u'$' + QString::number(max, 16).toUpper();
      const QFontMetrics metrics(field->font());
      const QString largest =
          metrics.horizontalAdvance(hex) > metrics.horizontalAdvance(decimal) ? hex : decimal;
      auto fitted = fieldFonts.find(largest);
      if (fitted == fieldFonts.end()) {
        fitted = fieldFonts.emplace(largest, field->fittingFont(largest)).first;
      }
      field->setFont(fitted->second);
    }
    controls_[def.id] = widget;
  }
}

void EditorWindow::centreOnScreen() {
  if (const QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
  }
}

void EditorWindow::focusOutEvent(QFocusEvent* event) {
  // The user has moved the focus to a control; from now on the window keeps out of the way.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    setFocusPolicy(Qt::NoFocus);
  }
  QWidget::focusOutEvent(event);
}

QWidget* EditorWindow::control(ControlId id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

ControlId EditorWindow::controlId(const QWidget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
    for (const auto& [id, control] : controls_) {
      if (control == widget) return id;
    }
  }
  return -1;
}

QString EditorWindow::text(ControlId id) const {
  QWidget* widget = control(id);
  if (auto* field = dynamic_cast<ValueField*>(widget)) return field->text();
  if (auto* edit = dynamic_cast<QLineEdit*>(widget)) return edit->text();
  return {};
}

void EditorWindow::setText(ControlId id, const QString& text) {
  QWidget* widget = control(id);
  if (auto* field = dynamic_cast<ValueField*>(widget)) {
    field->setText(text);
  } else if (auto* edit = dynamic_cast<QLineEdit*>(widget)) {
    edit->setText(text);
  }
}

void EditorWindow::setButtonEnabled(ControlId id, bool enabled) {
  if (auto* button = dynamic_cast<QPushButton*>(control(id))) button->setEnabled(enabled);
}

}  // namespace zentrax::editor

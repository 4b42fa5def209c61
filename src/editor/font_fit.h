// Fonts chosen to fit the fixed geometry of the window's controls.
#pragma once

#include <QFont>
#include <QFontInfo>

namespace zentrax::editor {

// The largest pixel size of the base font, no larger than it, at which fits() holds; the smallest
// size tried when none does.
template <typename Fits>
QFont largestFittingFont(const QFont& base, Fits fits) {
  constexpr int kSmallest = 6;
  QFont font = base;
  for (int pixels = QFontInfo(base).pixelSize(); pixels >= kSmallest; --pixels) {
    font.setPixelSize(pixels);
    if (fits(font)) return font;
  }
  return font;
}

}  // namespace zentrax::editor

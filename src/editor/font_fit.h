// Fonts chosen to fit the fixed geometry of the window's controls.
#pragma once

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace zentrax::editor {

// The largest pixel size of the base font, no larger than it, at which fits() holds; the smallest
// size tried when none does. Every size tried loads a font engine, the costly part of building
// the window, so the search starts from a guess (text grows about linearly with the size: scale
// the base size by room over width) and walks from there.
template <typename Fits>
QFont largestFittingFont(const QFont& base, Fits fits, int guess = 0) {
  constexpr int kSmallest = 6;
  const int largest = QFontInfo(base).pixelSize();
  int pixels = std::clamp(guess > 0 ? guess : largest, kSmallest, std::max(largest, kSmallest));
  QFont font = base;
  font.setPixelSize(pixels);
  if (fits(font)) {
    for (; pixels < largest; ++pixels) {
      font.setPixelSize(pixels + 1);
      if (!fits(font)) break;
    }
  } else {
    while (pixels > kSmallest) {
      font.setPixelSize(--pixels);
      if (fits(font)) break;
    }
  }
  font.setPixelSize(pixels);
  return font;
}

// The guess for a text that is width pixels wide in the base font and must fit in room.
inline int scaledPixelSize(const QFont& base, int room, int width) {
  return width > 0 ? QFontInfo(base).pixelSize() * room / width : 0;
}

}  // namespace zentrax::editor

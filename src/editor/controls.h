// Every control of the editor window as data: its id, kind, place and text, and which statistic
// each value field shows.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "stat_layout.h"

namespace zentrax::editor {

using ControlId = int;

inline constexpr ControlId kPathLabel = 2;
inline constexpr ControlId kPathField = 3;
inline constexpr ControlId kViewButton = 4;
inline constexpr ControlId kMotorHeader = 13;
inline constexpr ControlId kTireHeader = 14;
inline constexpr ControlId kPatchButton = 284;

enum class ControlKind {
  label,      // static text, top-left aligned, wraps at its width
  pathField,  // single line, read-only to the user
  button,
  valueField,
};

struct ControlDef {
  ControlId id;
  ControlKind kind;
  int x, y, w, h;
  std::string_view text;
};

inline constexpr int kWindowWidth = 1000;
inline constexpr int kWindowHeight = 700;
inline constexpr std::string_view kWindowTitle = "Zentrax stats editor";

// The words of the two headers are spaced to stand over the columns of value fields.
inline constexpr std::string_view kMotorHeaderText =
    "Motor:              standart            red        black         silver          gold     "
    "    hyper       mega";
inline constexpr std::string_view kTireHeaderText =
    "Tires:              standart         skinny   nobblies     dynafit   scoopers";

// The value-field columns stand at x = kColumnX + kColumnPitch * column.
inline constexpr int kColumnX = 80;
inline constexpr int kColumnPitch = 50;
inline constexpr int kFieldWidth = 45;
inline constexpr int kFieldHeight = 20;

// The id of each value field with the statistic it shows, in the order the load fills them and
// the model lists the statistics (kStats).
struct StatSlot {
  ControlId id;
  StatGroup group;
  int index;
};

inline constexpr std::array<StatSlot, kStatCount> kStatSlots = [] {
  std::array<StatSlot, kStatCount> table{};
  int n = 0;
  table[n++] = {56, StatGroup::baseTopSpeed, 0};
  for (int m = 0; m < kMotorCount; ++m) table[n++] = {57 + m, StatGroup::motorAccel, m};
  for (int t = 0; t < kTireCount; ++t) table[n++] = {64 + t, StatGroup::tiresNormal, t};
  for (int t = 0; t < kTireCount; ++t) table[n++] = {70 + t, StatGroup::tiresYellowAiRare, t};
  for (int k = 0; k < kCarStatCount; ++k) table[n++] = {82 + k, StatGroup::topSpeed, k};
  for (int k = 0; k < kCarStatCount; ++k) table[n++] = {103 + k, StatGroup::aiAccel, k};
  return table;
}();

// Position in kStatSlots (and so in kStats) of a value field, or -1 for any other id.
int statSlotIndex(ControlId id);

// Every control in the order it is created, which is also the Tab order.
std::span<const ControlDef> controlTable();
// The entry for an id, or nullptr when the window has no such control.
const ControlDef* findControl(ControlId id);

}  // namespace zentrax::editor

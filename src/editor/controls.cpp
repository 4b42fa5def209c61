#include "controls.h"

#include <algorithm>
#include <vector>

namespace zentrax::editor {
namespace {

void addValueRow(std::vector<ControlDef>& table, ControlId firstId, int count, int y) {
  for (int column = 0; column < count; ++column) {
    table.push_back({firstId + column,
                     ControlKind::valueField,
                     kColumnX + kColumnPitch * column,
                     y,
                     kFieldWidth,
                     kFieldHeight,
                     {}});
  }
}

std::vector<ControlDef> buildTable() {
  using enum ControlKind;
  std::vector<ControlDef> t;
  t.push_back({kPathLabel, label, 10, 10, 300, 20, "path to rom file"});
  t.push_back({kPathField, pathField, 10, 30, 300, 20, {}});
  t.push_back({kViewButton, button, 315, 30, 50, 20, "view"});
  t.push_back({kPatchButton, button, 420, 20, 80, 30, "patch rom"});
  t.push_back({kMotorHeader, label, 10, 80, 420, 16, kMotorHeaderText});
  t.push_back({kTireHeader, label, 10, 428, 400, 20, kTireHeaderText});
  t.push_back({22, label, 10, 94, 80, 32, "acceleration:  (players only)"});
  addValueRow(t, 57, kMotorCount, 98);
  t.push_back({23, label, 10, 446, 100, 28, "normal:"});
  addValueRow(t, 64, kTireCount, 446);
  t.push_back({24, label, 10, 478, 100, 28, "yellow AI rare:"});
  addValueRow(t, 70, kTireCount, 478);
  t.push_back({26, label, 2, 130, 100, 28, "car1 top speed:"});
  addValueRow(t, 82, kMotorCount, 130);
  t.push_back({27, label, 2, 162, 100, 28, "car2 top speed:"});
  addValueRow(t, 89, kMotorCount, 162);
  t.push_back({28, label, 2, 194, 100, 28, "car3 top speed:"});
  addValueRow(t, 96, kMotorCount, 194);
  t.push_back({29, label, 4, 258, 100, 28, "AI car1 accel:"});
  addValueRow(t, 103, kMotorCount, 258);
  t.push_back({30, label, 4, 290, 100, 28, "AI car2 accel:"});
  addValueRow(t, 110, kMotorCount, 290);
  t.push_back({31, label, 4, 322, 100, 28, "AI car3 accel:"});
  addValueRow(t, 117, kMotorCount, 322);
  t.push_back({21, label, 436, 126, 60, 40, "base top speed:"});
  t.push_back({56, valueField, 480, 130, kFieldWidth, kFieldHeight, {}});
  return t;
}

}  // namespace

std::span<const ControlDef> controlTable() {
  static const std::vector<ControlDef> table = buildTable();
  return table;
}

const ControlDef* findControl(ControlId id) {
  const auto table = controlTable();
  const auto it = std::find_if(table.begin(), table.end(),
                               [id](const ControlDef& def) { return def.id == id; });
  return it == table.end() ? nullptr : &*it;
}

int statSlotIndex(ControlId id) {
  for (int i = 0; i < kStatCount; ++i) {
    if (kStatSlots[i].id == id) return i;
  }
  return -1;
}

}  // namespace zentrax::editor

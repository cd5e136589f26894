// What a person would notice in a dialog, checked on its control table: a
// control outside the dialog, two controls on top of each other (a group box
// may hold others; a drop-down list counts closed), two controls with one id,
// a radio button that is not the first of its group (the controls since the
// last one that starts a group) but has no radio button before it there, so
// that Tab cannot reach the group.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "base/form_controls.h"

namespace flk {

inline std::vector<std::string> FormTableFaults(const std::vector<FormControl>& all, Size client) {
  std::vector<std::string> faults;
  auto shown = [](const FormControl& c) {
    Rect r = c.rect;
    if (c.kind == FormControl::DropList) r.bottom = r.top + 21;
    return r;
  };
  const Rect area{0, 0, client.width, client.height};
  std::set<int> ids;
  bool radioInGroup = false;
  for (size_t i = 0; i < all.size(); ++i) {
    const FormControl& c = all[i];
    const Rect r = shown(c);
    const std::string name = "#" + std::to_string(c.id) + " \"" + c.text + "\"";
    if (Intersect(r, area) != r) faults.push_back(name + " lies outside the dialog");
    if (c.id != 0 && !ids.insert(c.id).second) faults.push_back(name + ": its id twice");
    if (c.startsGroup) radioInGroup = false;
    if (c.kind == FormControl::RadioButton) {
      if (!c.startsGroup && !radioInGroup) faults.push_back(name + " cannot be reached with Tab");
      radioInGroup = true;
    }
    for (size_t j = i + 1; j < all.size(); ++j)
      if (c.kind != FormControl::GroupBox && all[j].kind != FormControl::GroupBox && !Intersect(r, shown(all[j])).empty())
        faults.push_back(name + " overlaps #" + std::to_string(all[j].id) + " \"" + all[j].text + "\"");
  }
  return faults;
}

}  // namespace flk

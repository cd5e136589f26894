// A dialog's controls as data at 96 DPI, in creation (and tab) order, so that
// its layout can be checked without a window; the window side creates them.
#pragma once

#include <string>

#include "base/geometry.h"

namespace flk {

struct FormControl {
  enum Kind {
    GroupBox,
    CheckBox,
    RadioButton,    // startsGroup: the first of its group, the one Tab stops at
    PushButton,
    DefaultButton,
    Label,          // startsGroup: ends the radio group before it
    DropList,       // rect's height: the open list's
    ReadOnlyNote,   // a bordered, centred, read-only multi-line text
    HelpMark,       // a sunken "?" that reports its clicks
    ScrollingNote,  // a sunken, read-only multi-line text that scrolls
    Rule,           // an etched horizontal line
    CentredLabel,
    EditBox,        // a sunken one-line text the user types in
    ChoiceText,     // a description whose click picks the choice beside it
  } kind = Label;
  std::string text;
  int id = 0;
  Rect rect;
  bool startsGroup = false;
};

}  // namespace flk

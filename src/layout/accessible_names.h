// The names a screen reader speaks for the main window's controls, derived from the
// layout table so that no label is written twice.
#pragma once

#include <string>

namespace vesk::layout {

// The accessible name of the tab stop with control ID `id`; "" for an ID that is no
// tab stop of the window.
//  - A push button is named by its own text.
//  - Otherwise the label before it in the table names it, when both lie in the same
//    group box (or neither in one): a label of parts separated by "/" ("攻/防 :") names
//    the controls after it in turn, one part each.
//  - A control no label names takes the name of its group box ("能力"); a drop-down list
//    there offers the choice for that group ("能力の選択").
// Names are the label's text without mnemonic markers and without the closing " :".
std::string accessibleName(int id);

}  // namespace vesk::layout

#pragma once

#include <string>
#include <string_view>

namespace vesk {

// The one rule a stat field follows, in the window and in the browser page alike: the
// field takes at most kStatFieldLength characters and a typed character only when it is
// a digit; whatever the user's edit leaves in it (typed or pasted) then becomes the value
// it reads as, and an emptied field becomes a selected "0", so that the next digit typed
// replaces it.
constexpr int kStatFieldLength = 3;

bool isStatFieldCharacter(char32_t c);

struct StatFieldText {
    std::string text;
    bool selectAll = false;  // otherwise the caret goes to the end
};

// What the field shows after the user's edit left `text` in it.
StatFieldText statFieldAfterEdit(std::string_view text);

// Reads a stat field's text as a decimal integer the way the C library's atoi does:
// leading white space skipped, one optional sign, then digits up to the first other
// character; no digits gives 0. Saturates instead of overflowing.
int parseStatText(std::string_view text);

// The value a stat field may hold: the parsed text limited to 0..255.
int clampedStatValue(std::string_view text);

}  // namespace vesk

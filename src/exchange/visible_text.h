#pragma once

#include <string>
#include <string_view>

namespace vesk::exchange {

// `text` as a message may show it on a terminal or a page: every character that would
// act instead of showing is written out, so that echoed text can neither steer the
// terminal nor hide. Byte-order marks become "<byte-order mark>"; tab, line feed and
// carriage return become \t, \n and \r; other C0 controls, DEL and bytes that are not
// UTF-8 become \xHH; C1 controls and the bidirectional overrides and isolates become
// \uHHHH. Backslashes stay as they are, so that Windows paths read as written.
std::string visibleText(std::string_view text);

}  // namespace vesk::exchange

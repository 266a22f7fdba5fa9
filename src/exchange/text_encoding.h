#pragma once

#include <string>
#include <string_view>

namespace vesk::exchange {

// Why the bytes of a table file are not UTF-8 text that could hold a table, as a message
// that names what they are instead (empty, UTF-16, Shift-JIS, EUC-JP, another code page,
// binary data); "" when they are UTF-8 text.
std::string tableTextProblem(std::string_view bytes);

}  // namespace vesk::exchange

#pragma once

#include <map>
#include <string>
#include <vector>

#include "rc_script.h"

namespace vesk::test {

// Where the resource script's main window dialog and menu differ from the layout table,
// one line per difference; empty when they describe the same window. `ids` resolves
// the script's symbols.
std::vector<std::string> layoutDifferences(const RcScript& script,
                                           const std::map<std::string, int>& ids);

}  // namespace vesk::test

#pragma once

#include <string>

#include "data/cartridge_header.h"

namespace vesk::web::messages {

// The page's words for what keeps an image or a patch from opening, in the chosen
// language; the Japanese for a file too short is the window's own message.
std::string tooShort();
std::string notAPatch();
std::string patchTooShort();

// A check of the cartridge header that the opened image fails, in one sentence.
std::string headerProblem(const HeaderProblem& problem);

}  // namespace vesk::web::messages

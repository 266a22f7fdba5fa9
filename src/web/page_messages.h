#pragma once

#include <string>

#include "data/cartridge_header.h"

namespace vesk::web::messages {

// The page's words for what keeps an image or a patch from opening, in the chosen
// language; the Japanese for a file too short is the window's own message.
std::string tooShort();
std::string notAPatch();
std::string patchTooShort();
// The edit history kept for the image could not be read back; nothing was changed.
std::string historyUnreadable();

// A check of the cartridge header that the opened image fails, in one sentence.
std::string headerProblem(const HeaderProblem& problem);

}  // namespace vesk::web::messages

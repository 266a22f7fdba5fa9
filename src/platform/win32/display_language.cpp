#include "platform/display_language.h"

#include <windows.h>

namespace vesk::platform {

bool displayLanguageIsEnglish() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH;
}

}  // namespace vesk::platform

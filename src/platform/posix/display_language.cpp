#include "platform/display_language.h"

namespace vesk::platform {

bool displayLanguageIsEnglish() { return false; }

}  // namespace vesk::platform

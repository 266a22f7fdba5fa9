#pragma once

namespace vesk::platform {

// Whether the user's display language is English, for a program that chooses its
// language by the locale and finds no locale variable set: on Windows the user interface
// language the user chose; elsewhere never, the variables being the user's only word.
bool displayLanguageIsEnglish();

}  // namespace vesk::platform

#pragma once

#include "text/catalog.h"

namespace vesk::exchange {

// The exchange tests compare the English texts (see language.cpp); a case that checks the
// Japanese ones switches for its own length with this.
class ScopedLanguage {
public:
    explicit ScopedLanguage(text::Language language) : before_(text::language()) {
        text::setLanguage(language);
    }
    ~ScopedLanguage() { text::setLanguage(before_); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    text::Language before_;
};

}  // namespace vesk::exchange

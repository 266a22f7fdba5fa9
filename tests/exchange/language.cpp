#include <gtest/gtest.h>

#include "text/catalog.h"

namespace {

// The core's messages are compared in English, their source texts; the program's own
// default, Japanese, is restored when the tests end.
class EnglishTexts : public ::testing::Environment {
public:
    void SetUp() override { vesk::text::setLanguage(vesk::text::Language::English); }
    void TearDown() override { vesk::text::setLanguage(vesk::text::Language::Japanese); }
};

const auto* const kEnglish = ::testing::AddGlobalTestEnvironment(new EnglishTexts);

}  // namespace

// The `vesk` command: a thin start that hands the UTF-8 arguments to runVesk.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/vesk_command.h"
#include "platform/console.h"
#include "platform/display_language.h"
#include "text/user_language.h"

namespace {

// English where the locale asks for it, Japanese otherwise, as the user's other programs
// choose.
void chooseLanguage() {
    const auto variable = [](const char* name) -> std::string_view {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    vesk::text::setLanguage(
        vesk::text::languageFromLocale(variable, vesk::platform::displayLanguageIsEnglish()));
}

int run(std::vector<std::string> arguments) {
    vesk::platform::useUtf8Console();
    chooseLanguage();
    // Nothing printed reaches a closed standard output: the command must see it fail.
    if (vesk::platform::standardOutputWasClosed()) std::cout.setstate(std::ios::badbit);
    return vesk::cli::runVesk(arguments, std::cin, std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that Japanese file names survive on a Windows of any language.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::u8string text = std::filesystem::path(argv[i]).u8string();
        arguments.emplace_back(text.begin(), text.end());
    }
    return run(std::move(arguments));
}
#else
int main(int argc, char** argv) { return run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif

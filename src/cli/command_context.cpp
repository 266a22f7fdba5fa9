#include "cli/command_context.h"

#include "cli/commands.h"
#include "cli/usage_error.h"
#include "exchange/quoted.h"
#include "exchange/visible_text.h"
#include "text/catalog.h"

namespace vesk::cli {

void CommandContext::fail(const std::string& message, int code) {
    err << "vesk: " << exchange::visibleText(message) << '\n';
    exitCode = written.empty() ? code : kPartlyWritten;
}

void CommandContext::say(const std::string& line) { out << exchange::visibleText(line) << '\n'; }

void CommandContext::note(const std::string& line) { err << exchange::visibleText(line) << '\n'; }

bool isOneOf(CommandContext& context, const std::string& option, const std::string& value,
             std::initializer_list<const char*> choices) {
    std::vector<std::string> named;
    for (const char* choice : choices) {
        if (value == choice) return true;
        if (*choice != '\0') named.emplace_back(choice);
    }
    context.fail(
        text::tr(
            "{option}: {value} is not one of {choices}",
            {{"option", option}, {"value", exchange::quoted(value)}, {"choices", listed(named)}}),
        kUsageError);
    return false;
}

}  // namespace vesk::cli

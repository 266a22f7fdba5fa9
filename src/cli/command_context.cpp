#include "cli/command_context.h"

#include "exchange/visible_text.h"

namespace vesk::cli {

void CommandContext::fail(const std::string& message, int code) {
    err << "vesk: " << exchange::visibleText(message) << '\n';
    exitCode = written.empty() ? code : kPartlyWritten;
}

void CommandContext::say(const std::string& line) { out << exchange::visibleText(line) << '\n'; }

void CommandContext::note(const std::string& line) { err << exchange::visibleText(line) << '\n'; }

}  // namespace vesk::cli

#pragma once

#include <CLI/CLI.hpp>
#include <initializer_list>
#include <string>

#include "cli/command_context.h"

namespace vesk::cli {

// Each adds one subcommand to `app`; the subcommand reports through `context`.
void addShowCommand(CLI::App& app, CommandContext& context);
void addExportCommand(CLI::App& app, CommandContext& context);
void addImportCommand(CLI::App& app, CommandContext& context);
void addSetCommand(CLI::App& app, CommandContext& context);
void addDiffCommand(CLI::App& app, CommandContext& context);
void addPatchCommand(CLI::App& app, CommandContext& context);

// Whether `value` of `option` is one of `choices`; if not, says so as a usage error. The
// command checks its own choices, so that the message is in the command's language.
bool isOneOf(CommandContext& context, const std::string& option, const std::string& value,
             std::initializer_list<const char*> choices);

}  // namespace vesk::cli

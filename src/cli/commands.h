#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace vesk::cli {

// Each adds one subcommand to `app`; the subcommand reports through `context`.
void addShowCommand(CLI::App& app, CommandContext& context);
void addExportCommand(CLI::App& app, CommandContext& context);
void addImportCommand(CLI::App& app, CommandContext& context);
void addSetCommand(CLI::App& app, CommandContext& context);
void addDiffCommand(CLI::App& app, CommandContext& context);
void addPatchCommand(CLI::App& app, CommandContext& context);

}  // namespace vesk::cli

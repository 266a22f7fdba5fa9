#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/command_context.h"
#include "data/enemy_block.h"

namespace vesk::cli {

struct UpdateOptions {
    bool dryRun = false;
    bool noBackup = false;
};

// The --dry-run and --no-backup flags of a command that changes an image.
void addUpdateFlags(CLI::App& command, UpdateOptions& options);

// Prints the field diff between `before` (as read from the image at `path`) and `after`
// and, unless a dry run, writes `after` into the image the way the editor saves: the
// backup NAME.gb.bak first (unless noBackup), then the block in place.
void updateImage(CommandContext& context, const std::string& path, const EnemyBlock& before,
                 const EnemyBlock& after, const UpdateOptions& options);

}  // namespace vesk::cli

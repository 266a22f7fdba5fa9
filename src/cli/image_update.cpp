#include "cli/image_update.h"

#include <set>

#include "cli/reason_message.h"
#include "exchange/field_diff.h"
#include "io/image_file.h"

namespace vesk::cli {

void addUpdateFlags(CLI::App& command, UpdateOptions& options) {
    command.add_flag("--dry-run", options.dryRun, "only print what would change; write nothing");
    command.add_flag("--no-backup", options.noBackup, "do not copy the image to NAME.gb.bak first");
}

void updateImage(CommandContext& context, const std::string& path, const EnemyBlock& before,
                 const EnemyBlock& after, const UpdateOptions& options) {
    const auto changes = exchange::diffFields(before, after);
    std::set<int> enemies;
    for (const auto& change : changes) {
        context.say(exchange::describeChange(change));
        enemies.insert(change.enemy);
    }
    if (changes.empty()) {
        context.say("nothing to change; " + path + " is left as it was");
        return;
    }
    context.say(std::to_string(changes.size()) + " field(s) of " + std::to_string(enemies.size()) +
                " enemy(ies) " + (options.dryRun ? "would change" : "will change"));
    if (options.dryRun) {
        context.say("dry run: nothing written");
        return;
    }

    ImageFile image;
    image.currentPath = path;
    // Checked before the backup, so that an image that cannot be written keeps the
    // previous backup.
    if (!image.canWrite()) {
        context.fail(messageWithReason(path + ": cannot write the enemy data", image.lastError()) +
                     "; nothing written");
        return;
    }
    if (!options.noBackup) {
        if (!image.backup()) {
            context.fail(messageWithReason(image.backupPath() + ": cannot make the backup",
                                           image.lastError()) +
                         "; nothing written");
            return;
        }
        context.wrote(image.backupPath());
        context.say("backup: " + image.backupPath());
    }
    if (!image.write(after)) {
        context.fail(
            messageWithReason(path + ": cannot write the enemy data", image.lastError()) +
            (options.noBackup ? "" : "; " + image.backupPath() + " holds the image as it was"));
        return;
    }
    context.wrote(path);
    context.say("written: " + path);
}

}  // namespace vesk::cli

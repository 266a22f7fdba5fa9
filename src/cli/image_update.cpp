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
        context.out << exchange::describeChange(change) << '\n';
        enemies.insert(change.enemy);
    }
    if (changes.empty()) {
        context.out << "nothing to change; " << path << " is left as it was\n";
        return;
    }
    context.out << changes.size() << " field(s) of " << enemies.size() << " enemy(ies) "
                << (options.dryRun ? "would change" : "will change") << '\n';
    if (options.dryRun) {
        context.out << "dry run: nothing written\n";
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
        context.out << "backup: " << image.backupPath() << '\n';
    }
    if (!image.write(after)) {
        context.fail(
            messageWithReason(path + ": cannot write the enemy data", image.lastError()) +
            (options.noBackup ? "" : "; " + image.backupPath() + " holds the image as it was"));
        return;
    }
    context.out << "written: " << path << '\n';
}

}  // namespace vesk::cli

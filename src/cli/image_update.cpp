#include "cli/image_update.h"

#include <set>

#include "cli/reason_message.h"
#include "exchange/field_diff.h"
#include "io/image_file.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;

void addUpdateFlags(CLI::App& command, UpdateOptions& options) {
    command.add_flag("--dry-run", options.dryRun,
                     tr("only print what would change; write nothing"));
    command.add_flag("--no-backup", options.noBackup,
                     tr("do not copy the image to NAME.gb.bak first"));
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
        context.say(tr("nothing to change; {image} is left as it was", {{"image", path}}));
        return;
    }
    const std::size_t fields = changes.size();
    if (options.dryRun) {
        context.say(tr("{fields} field(s) of {enemies} enemy(ies) would change",
                       {{"fields", fields}, {"enemies", enemies.size()}}));
        context.say(tr("dry run: nothing written"));
        return;
    }
    context.say(tr("{fields} field(s) of {enemies} enemy(ies) will change",
                   {{"fields", fields}, {"enemies", enemies.size()}}));

    ImageFile image;
    image.currentPath = path;
    // Checked before the backup, so that an image that cannot be written keeps the
    // previous backup.
    if (!image.canWrite()) {
        context.fail(tr("{image}: cannot write the enemy data: {reason}; nothing written",
                        {{"image", path}, {"reason", reasonFor(image.lastError())}}));
        return;
    }
    if (!options.noBackup) {
        if (!image.backup()) {
            context.fail(
                tr("{backup}: cannot make the backup: {reason}; nothing written",
                   {{"backup", image.backupPath()}, {"reason", reasonFor(image.lastError())}}));
            return;
        }
        context.wrote(image.backupPath());
        context.say(tr("backup: {backup}", {{"backup", image.backupPath()}}));
    }
    if (!image.write(after)) {
        const std::string reason = reasonFor(image.lastError());
        if (options.noBackup) {
            context.fail(tr("{image}: cannot write the enemy data: {reason}",
                            {{"image", path}, {"reason", reason}}));
        } else {
            context.fail(
                tr("{image}: cannot write the enemy data: {reason}; {backup} holds the "
                   "image as it was",
                   {{"image", path}, {"reason", reason}, {"backup", image.backupPath()}}));
        }
        return;
    }
    context.wrote(path);
    context.say(tr("written: {image}", {{"image", path}}));
}

}  // namespace vesk::cli

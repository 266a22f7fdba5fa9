#include <memory>

#include "cli/commands.h"
#include "cli/enemy_selection.h"
#include "cli/file_access.h"
#include "cli/image_update.h"
#include "cli/usage_error.h"
#include "exchange/bulk_edit.h"
#include "exchange/enemy_field.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

struct SetOptions {
    std::string image;
    std::string enemies;
    std::vector<std::string> assignments;
    UpdateOptions update;
};

void run(CommandContext& context, const SetOptions& options) {
    const EnemySelection selection = parseEnemySelection(options.enemies);
    if (!selection.problem.empty()) return context.fail(selection.problem, kUsageError);
    const exchange::ParsedAssignments parsed = exchange::parseAssignments(options.assignments);
    if (!parsed.problem.empty()) return context.fail(parsed.problem, kUsageError);
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);
    context.note(image.warnings);

    const exchange::BulkEdit edit =
        exchange::applyAssignments(image.block, selection.enemies, parsed.assignments);
    if (!edit.problem.empty()) {
        return context.fail(tr("{problem}; nothing written", {{"problem", edit.problem}}));
    }
    // Notes say how a request was fitted to a field; the changes themselves go to the output.
    for (const std::string& line : edit.noteLines) context.note(line);
    updateImage(context, options.image, image.block, edit.block, options.update);
}

// The keys `set` takes, listed in the command's language.
std::string fieldKeys() {
    std::vector<std::string> keys;
    for (const exchange::EnemyField& field : exchange::enemyFields()) keys.push_back(field.key());
    return listed(keys);
}

}  // namespace

void addSetCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SetOptions>();
    CLI::App* command = app.add_subcommand(
        "set", tr("Change fields of many enemies at once, such as 'attack*=1.5' for 100-199"));
    command->add_option("IMAGE", options->image, tr("the cartridge image (.gb) to change"))
        ->required();
    command
        ->add_option("ENEMIES", options->enemies,
                     tr("an enemy number, a list or a range: 5, 3,7, 100-199"))
        ->required();
    command
        ->add_option("FIELD=VALUE", options->assignments,
                     tr("{fields} (hp and kero take the values their "
                        "lists show: the nearest table entry is chosen), with =, +=, -= or *= "
                        "(results kept within the field's range); quote it for the shell: "
                        "'attack*=1.2'",
                        {{"fields", fieldKeys()}}))
        ->required();
    addUpdateFlags(*command, options->update);
    command->callback([&context, options] { run(context, *options); });
}

}  // namespace vesk::cli

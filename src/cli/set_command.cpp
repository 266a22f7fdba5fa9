#include <algorithm>
#include <memory>

#include "cli/commands.h"
#include "cli/enemy_selection.h"
#include "cli/field_assignment.h"
#include "cli/file_access.h"
#include "cli/image_update.h"
#include "data/name_tables.h"

namespace vesk::cli {
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
    std::vector<FieldAssignment> assignments;
    for (const std::string& text : options.assignments) {
        ParsedAssignment parsed = parseAssignment(text);
        if (!parsed.problem.empty()) return context.fail(parsed.problem, kUsageError);
        assignments.push_back(std::move(parsed.assignment));
    }
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);

    EnemyBlock updated = image.block;
    for (int m : selection.enemies) {
        for (const FieldAssignment& assignment : assignments) {
            if (assignment.field == FieldAssignment::Field::Ability &&
                assignment.index >= updated.abilityCount(m)) {
                return context.fail(
                    enemyLabel(m) + " has " + std::to_string(updated.abilityCount(m)) +
                    " abilities, so it has no " + assignment.name + "; nothing written");
            }
            const long long wanted = assignedValue(assignment, assignment.current(updated, m));
            const int value =
                static_cast<int>(std::clamp<long long>(wanted, 0, assignment.highest()));
            if (value != wanted) {
                context.out << enemyLabel(m) << "  " << assignment.name << ": " << wanted
                            << " is outside 0-" << assignment.highest() << ", clamped to " << value
                            << '\n';
            }
            assignment.store(updated, m, value);
        }
    }
    updateImage(context, options.image, image.block, updated, options.update);
}

}  // namespace

void addSetCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SetOptions>();
    CLI::App* command = app.add_subcommand(
        "set", "Change fields of many enemies at once, such as attack*=1.5 for 100-199");
    command->add_option("IMAGE", options->image, "the cartridge image (.gb) to change")->required();
    command
        ->add_option("ENEMIES", options->enemies,
                     "an enemy number, a list or a range: 5, 3,7, 100-199")
        ->required();
    command
        ->add_option("FIELD=VALUE", options->assignments,
                     "hp_index, kero_index, attack, defense, speed, magic or abilityN with =, "
                     "+=, -= or *= (results kept within the field's range)")
        ->required();
    addUpdateFlags(*command, options->update);
    command->callback([&context, options] { run(context, *options); });
}

}  // namespace vesk::cli

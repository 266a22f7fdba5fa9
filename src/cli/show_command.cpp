#include <memory>

#include "cli/commands.h"
#include "cli/enemy_selection.h"
#include "cli/file_access.h"
#include "cli/text_table.h"
#include "data/name_tables.h"
#include "data/value_tables.h"
#include "exchange/csv.h"
#include "exchange/enemy_table.h"
#include "exchange/field_labels.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

struct ShowOptions {
    std::string image;
    std::vector<std::string> enemies;
    std::string format = "table";
};

std::string abilityList(const EnemyBlock& block, int m) {
    std::string text;
    for (int slot = 0; slot < block.abilityCount(m); ++slot) {
        if (slot > 0) text += ", ";
        text += abilityLabel(block.abilityAt(m, slot));
    }
    return text;
}

std::string table(const EnemyBlock& block, const std::vector<int>& enemies) {
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Right, Align::Right, Align::Right, Align::Right,
                     Align::Right, Align::Right, Align::Left});
    std::vector<std::string> heading = {tr("Enemy"), std::string(exchange::hpFieldLabel()),
                                        std::string(exchange::keroFieldLabel())};
    for (int k = 0; k < EnemyBlock::kStatCount; ++k) {
        heading.emplace_back(exchange::statFieldLabel(k));
    }
    heading.emplace_back(exchange::abilityFieldLabel());
    table.addRow(std::move(heading));
    for (int m : enemies) {
        std::vector<std::string> row = {enemyLabel(m),
                                        std::string(hpLabel(hpPosition(block.hpIndex(m)))),
                                        std::string(keroLabel(block.keroIndex(m)))};
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) {
            row.push_back(std::to_string(block.stat(m, k)));
        }
        row.push_back(abilityList(block, m));
        table.addRow(std::move(row));
    }
    return table.render();
}

std::string csv(const EnemyBlock& block, const std::vector<int>& enemies) {
    std::string text = "\xEF\xBB\xBF" + exchange::csvLine(exchange::tableColumns());
    for (int m : enemies) text += exchange::csvLine(exchange::enemyRow(block, m));
    return text;
}

void run(CommandContext& context, const ShowOptions& options) {
    std::vector<int> enemies;
    for (const std::string& text : options.enemies) {
        const EnemySelection selection = parseEnemySelection(text);
        if (!selection.problem.empty()) return context.fail(selection.problem, kUsageError);
        enemies.insert(enemies.end(), selection.enemies.begin(), selection.enemies.end());
    }
    if (options.enemies.empty()) {
        for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) enemies.push_back(m);
    }
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);
    context.note(image.warnings);
    if (options.format == "csv") {
        context.out << csv(image.block, enemies);
    } else if (options.format == "json") {
        context.out << exchange::exportJson(image.block, enemies);
    } else {
        context.out << table(image.block, enemies);
    }
}

}  // namespace

void addShowCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* command = app.add_subcommand(
        "show", tr("Print enemies as a table: HP, ケロ, the four stats and the abilities"));
    command->add_option("IMAGE", options->image, tr("the cartridge image (.gb)"))->required();
    command->add_option("ENEMY", options->enemies,
                        tr("enemy numbers, lists or ranges (5, 3,7, 100-199); all when none"));
    command->add_option("--format", options->format, tr("table (default), csv or json"))
        ->option_text("table|csv|json");
    command->callback([&context, options] {
        if (isOneOf(context, "--format", options->format, {"table", "csv", "json"})) {
            run(context, *options);
        }
    });
}

}  // namespace vesk::cli

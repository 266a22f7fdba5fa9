#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "exchange/field_diff.h"

namespace vesk::cli {
namespace {

struct DiffOptions {
    std::string first;
    std::string second;
};

// Like diff(1): 0 when nothing differs, 1 when something does, 2 when it cannot tell.
void run(CommandContext& context, const DiffOptions& options) {
    const ImageContent first = readImage(options.first);
    if (!first.problem.empty()) return context.fail(first.problem, kDiffTrouble);
    context.note(first.warnings);
    const ImageContent second = readImage(options.second);
    if (!second.problem.empty()) return context.fail(second.problem, kDiffTrouble);
    context.note(second.warnings);

    const auto changes = exchange::diffFields(first.block, second.block);
    for (const auto& change : changes) context.say(exchange::describeChange(change));
    const std::size_t others = exchange::otherDifferences(first.bytes, second.bytes);
    std::string summary = std::to_string(changes.size()) + " enemy field(s) differ; " +
                          std::to_string(others) + " byte(s) differ outside the enemy fields";
    if (first.bytes.size() != second.bytes.size()) {
        summary += " (the files have " + std::to_string(first.bytes.size()) + " and " +
                   std::to_string(second.bytes.size()) + " bytes)";
    }
    context.say(summary);
    context.exitCode = changes.empty() && others == 0 ? kSuccess : kDiffDiffers;
}

}  // namespace

void addDiffCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* command = app.add_subcommand(
        "diff", "List the enemy fields that differ between two images (exit 0: none, 1: some)");
    command->add_option("A", options->first, "the first image (.gb)")->required();
    command->add_option("B", options->second, "the second image (.gb)")->required();
    command->callback([&context, options] { run(context, *options); });
}

}  // namespace vesk::cli

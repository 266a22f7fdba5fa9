#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "exchange/field_diff.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
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
    if (first.bytes.size() == second.bytes.size()) {
        context.say(
            tr("{fields} enemy field(s) differ; {bytes} byte(s) differ outside the enemy "
               "fields",
               {{"fields", changes.size()}, {"bytes", others}}));
    } else {
        context.say(
            tr("{fields} enemy field(s) differ; {bytes} byte(s) differ outside the enemy "
               "fields (the files have {first} and {second} bytes)",
               {{"fields", changes.size()},
                {"bytes", others},
                {"first", first.bytes.size()},
                {"second", second.bytes.size()}}));
    }
    context.exitCode = changes.empty() && others == 0 ? kSuccess : kDiffDiffers;
}

}  // namespace

void addDiffCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* command = app.add_subcommand(
        "diff", tr("List the enemy fields that differ between two images (exit 0: none, 1: some)"));
    command->add_option("A", options->first, tr("the first image (.gb)"))->required();
    command->add_option("B", options->second, tr("the second image (.gb)"))->required();
    command->callback([&context, options] { run(context, *options); });
}

}  // namespace vesk::cli

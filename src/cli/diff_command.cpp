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
    if (!first.problem.empty()) return context.fail(first.problem, kUsageError);
    const ImageContent second = readImage(options.second);
    if (!second.problem.empty()) return context.fail(second.problem, kUsageError);

    const auto changes = exchange::diffFields(first.block, second.block);
    for (const auto& change : changes) context.out << exchange::describeChange(change) << '\n';
    const std::size_t others = exchange::otherDifferences(first.bytes, second.bytes);
    context.out << changes.size() << " enemy field(s) differ; " << others
                << " byte(s) differ outside the enemy fields";
    if (first.bytes.size() != second.bytes.size()) {
        context.out << " (the files have " << first.bytes.size() << " and " << second.bytes.size()
                    << " bytes)";
    }
    context.out << '\n';
    context.exitCode = changes.empty() && others == 0 ? kSuccess : 1;
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

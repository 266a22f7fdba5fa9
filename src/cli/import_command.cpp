#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "cli/image_update.h"
#include "cli/input_file.h"
#include "exchange/table_import.h"
#include "exchange/table_input.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

struct ImportOptions {
    std::string image;
    std::string table;
    UpdateOptions update;
};

void run(CommandContext& context, const ImportOptions& options) {
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);
    context.note(image.warnings);
    const FileContent table = readInput(options.table, context.in, exchange::kTableSizeLimit);
    if (!table.problem.empty()) return context.fail(table.problem);
    const std::string tableName = inputName(options.table);
    if (table.cut) {
        return context.fail(tr("{input}: {problem}; {image} is left as it was",
                               {{"input", tableName},
                                {"problem", exchange::tableTooLargeProblem(table.sizeAtLeast)},
                                {"image", options.image}}));
    }

    const std::string_view text(reinterpret_cast<const char*>(table.bytes.data()),
                                table.bytes.size());
    const exchange::ImportPlan plan = exchange::planImport(image.block, exchange::readTable(text));
    if (!plan.problems.empty()) {
        for (const std::string& problem : plan.problems.lines()) {
            context.fail(tr("{input}: {problem}", {{"input", tableName}, {"problem", problem}}));
        }
        context.fail(tr("{count} problem(s); {image} is left as it was",
                        {{"count", plan.problems.total()}, {"image", options.image}}));
        return;
    }
    updateImage(context, options.image, image.block, plan.block, options.update);
}

}  // namespace

void addImportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand(
        "import", tr("Read a CSV or JSON table back into the image, after checking all of it"));
    command->add_option("IMAGE", options->image, tr("the cartridge image (.gb) to change"))
        ->required();
    command
        ->add_option("FILE", options->table,
                     tr("the table, as export writes it (CSV or JSON, told apart by the "
                        "content); - reads it from standard input"))
        ->required();
    addUpdateFlags(*command, options->update);
    command->callback([&context, options] { run(context, *options); });
}

}  // namespace vesk::cli

#include <cctype>
#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "exchange/enemy_table.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

struct ExportOptions {
    std::string image;
    std::string output;
    std::string format;
    bool force = false;
};

// The format asked for, else the one the output's extension names, else CSV.
std::string chosenFormat(const ExportOptions& options) {
    if (!options.format.empty()) return options.format;
    const auto dot = options.output.rfind('.');
    if (dot != std::string::npos) {
        std::string extension = options.output.substr(dot + 1);
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == "json") return "json";
    }
    return "csv";
}

void run(CommandContext& context, const ExportOptions& options) {
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);
    context.note(image.warnings);
    const std::string text = chosenFormat(options) == "json" ? exchange::exportJson(image.block)
                                                             : exchange::exportCsv(image.block);
    if (options.output.empty() || options.output == "-") {
        context.out << text;
        return;
    }
    if (sameFile(options.image, options.output)) {
        return context.fail(tr("{file}: this is the image itself; choose another file",
                               {{"file", options.output}}));
    }
    const std::string problem = writeOutputFile(
        options.output, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
        options.force);
    if (!problem.empty()) return context.fail(problem);
    context.wrote(options.output);
    context.say(tr("exported {count} enemies to {file}",
                   {{"count", EnemyBlock::kEnemyCount}, {"file", options.output}}));
}

}  // namespace

void addExportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand(
        "export", tr("Write all 200 enemies as a CSV or JSON table for a spreadsheet"));
    command->add_option("IMAGE", options->image, tr("the cartridge image (.gb)"))->required();
    command
        ->add_option("-o,--output", options->output,
                     tr("the file to write (standard output when left out or -)"))
        ->option_text("FILE");
    command
        ->add_option("--format", options->format,
                     tr("csv or json (default: from the output's extension, else csv)"))
        ->option_text("csv|json");
    command->add_flag("--force", options->force, tr("replace an existing output file"));
    command->callback([&context, options] {
        if (isOneOf(context, "--format", options->format, {"", "csv", "json"})) {
            run(context, *options);
        }
    });
}

}  // namespace vesk::cli

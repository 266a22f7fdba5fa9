#include "cli/vesk_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/commands.h"
#include "cli/help_format.h"
#include "cli/usage_error.h"
#include "exchange/quoted.h"
#include "exchange/visible_text.h"
#include "text/catalog.h"
#include "vesk_version.h"

namespace vesk::cli {

namespace {

using text::tr;

std::string joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += (text.empty() ? "" : ", ") + path;
    return text;
}

// Whatever the command printed must have reached standard output (not a full disk or a
// closed descriptor); if it did not, standard error says so and what was written.
int checkedReport(CommandContext& context, bool diff) {
    context.out.flush();
    if (context.out) return context.exitCode;
    if (context.written.empty()) {
        context.fail(tr("standard output: the report could not be printed; nothing was written"),
                     diff ? kDiffTrouble : kDataProblem);
    } else {
        context.fail(
            tr("standard output: the report could not be printed; written all the "
               "same: {files}",
               {{"files", joined(context.written)}}));
    }
    return context.exitCode;
}

int run(const std::vector<std::string>& arguments, std::istream* in, std::ostream& out,
        std::ostream& err) {
    CommandContext context{out, err, in, kSuccess, {}};
    CLI::App app(tr("vesk: export, import, compare and patch the enemy data of a cartridge image"),
                 "vesk");
    // Set before the commands are added: each takes the formatter and help flag along.
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_help_flag("-h,--help", tr("print this help and exit"));
    app.set_version_flag("--version", std::string("vesk ") + kVersion,
                         tr("print the version and exit"));
    // CLI11 on Windows would otherwise take "/path/x.gb" for an option "/path".
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    app.footer(exitCodesText());
    app.fallthrough(false);
    addShowCommand(app, context);
    addExportCommand(app, context);
    addImportCommand(app, context);
    addSetCommand(app, context);
    addDiffCommand(app, context);
    addPatchCommand(app, context);
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        command->group(commandsHeading());
        for (CLI::App* inner : command->get_subcommands([](CLI::App*) { return true; })) {
            inner->group(commandsHeading());
        }
    }

    // CLI11 would only say that a command is required.
    if (!arguments.empty() && !arguments.front().starts_with('-')) {
        const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
        const bool known = std::any_of(commands.begin(), commands.end(), [&](const CLI::App* c) {
            return c->get_name() == arguments.front();
        });
        if (!known) {
            context.fail(
                tr("unknown command {name}; the commands are {commands}",
                   {{"name", exchange::quoted(arguments.front())}, {"commands", commandList(app)}}),
                kUsageError);
            return kUsageError;
        }
    }

    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::Success& done) {  // --help or --version, printed
        context.exitCode = app.exit(done, out, err);
        return checkedReport(context, false);
    } catch (const CLI::ParseError& error) {
        // The message names the command, "vesk ..." included.
        err << exchange::visibleText(usageProblem(app, error, arguments)) << '\n';
        err << exchange::visibleText(tr("Run \"{command} --help\" for more information.",
                                        {{"command", commandReached(app)}}))
            << '\n';
        return kUsageError;
    }
    return checkedReport(context, app.got_subcommand("diff"));
}

}  // namespace

int runVesk(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
            std::ostream& err) {
    return run(arguments, &in, out, err);
}

int runVesk(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return run(arguments, nullptr, out, err);
}

}  // namespace vesk::cli

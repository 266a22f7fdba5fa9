#include "cli/vesk_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/commands.h"
#include "vesk_version.h"

namespace vesk::cli {

namespace {

int run(const std::vector<std::string>& arguments, std::istream* in, std::ostream& out,
        std::ostream& err) {
    CommandContext context{out, err, in};
    CLI::App app("vesk: export, import, compare and patch the enemy data of a cartridge image",
                 "vesk");
    app.set_version_flag("--version", std::string("vesk ") + kVersion);
    // CLI11 on Windows would otherwise take "/path/x.gb" for an option "/path".
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    app.fallthrough(false);
    addShowCommand(app, context);
    addExportCommand(app, context);
    addImportCommand(app, context);
    addSetCommand(app, context);
    addDiffCommand(app, context);
    addPatchCommand(app, context);

    // CLI11 would only say that a command is required.
    if (!arguments.empty() && !arguments.front().starts_with('-')) {
        const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
        const bool known = std::any_of(commands.begin(), commands.end(), [&](const CLI::App* c) {
            return c->get_name() == arguments.front();
        });
        if (!known) {
            err << "vesk: unknown command \"" << arguments.front()
                << "\"; the commands are show, export, import, set, diff and patch\n";
            return kUsageError;
        }
    }

    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help, out, err);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help, out, err);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version, out, err);
    } catch (const CLI::ParseError& error) {
        err << "vesk: " << error.what() << "\n";
        err << "Run with --help for more information.\n";
        return kUsageError;
    }
    return context.exitCode;
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

#include "cli/usage_error.h"

#include "exchange/quoted.h"
#include "text/catalog.h"

namespace vesk::cli {
namespace {

using text::tr;

// The innermost command the parse entered.
const CLI::App* innermost(const CLI::App& app) {
    const CLI::App* command = &app;
    for (auto entered = command->get_subcommands(); !entered.empty();
         entered = command->get_subcommands()) {
        command = entered.back();
    }
    return command;
}

std::string fullName(const CLI::App* command) {
    std::string name = command->get_name();
    for (const CLI::App* up = command->get_parent(); up; up = up->get_parent()) {
        name = up->get_name() + " " + name;
    }
    return name;
}

std::string missing(const CLI::App* command) {
    const std::string name = fullName(command);
    if (command->get_require_subcommand_min() > 0 && command->get_subcommands().empty()) {
        return tr("{command}: name one of its commands, which are {commands}",
                  {{"command", name}, {"commands", commandList(*command)}});
    }
    for (const CLI::Option* option : command->get_options()) {
        if (!option->get_required() || option->count() > 0) continue;
        if (option->get_positional()) {
            return tr("{command}: {argument} is missing",
                      {{"command", name}, {"argument", option->get_name()}});
        }
        return tr("{command}: the option {option} is required",
                  {{"command", name}, {"option", option->get_name()}});
    }
    return tr("{command}: an argument is missing", {{"command", name}});
}

std::string extra(const CLI::App& app, const CLI::App* command) {
    const std::string name = fullName(command);
    const std::vector<std::string> left = app.remaining(true);
    for (const std::string& argument : left) {
        if (argument.size() > 1 && argument.front() == '-') {
            return tr("{command}: unknown option {option}",
                      {{"command", name}, {"option", exchange::quoted(argument)}});
        }
    }
    if (left.empty()) return tr("{command}: too many arguments", {{"command", name}});
    const bool offersCommands =
        !command->get_subcommands([](const CLI::App*) { return true; }).empty();
    if (offersCommands && command->get_subcommands().empty()) {
        return tr("{command}: unknown command {name}; the commands are {commands}",
                  {{"command", name},
                   {"name", exchange::quoted(left.front())},
                   {"commands", commandList(*command)}});
    }
    return tr("{command}: too many arguments, from {argument} on",
              {{"command", name}, {"argument", exchange::quoted(left.front())}});
}

// How many times the arguments name `option`.
std::size_t timesNamed(const CLI::Option* option, const std::vector<std::string>& arguments) {
    std::size_t times = 0;
    for (const std::string& argument : arguments) {
        const std::string name = argument.substr(0, argument.find('='));
        if (name.size() > 1 && name.front() == '-' && option->check_name(name)) ++times;
    }
    return times;
}

// An option whose values do not fit: given twice, given without its value, or a flag
// given one.
std::string mismatch(const CLI::App* command, const std::vector<std::string>& arguments) {
    const std::string name = fullName(command);
    for (const CLI::App* up = command; up; up = up->get_parent()) {
        for (const CLI::Option* option : up->get_options()) {
            if (!option->nonpositional()) continue;
            const std::string optionName = option->get_name();
            if (timesNamed(option, arguments) > 1) {
                return tr("{command}: the option {option} is given more than once",
                          {{"command", name}, {"option", optionName}});
            }
            if (timesNamed(option, arguments) == 0) continue;
            if (option->get_expected_max() == 0) {  // a flag
                for (const std::string& argument : arguments) {
                    const auto equals = argument.find('=');
                    if (equals != std::string::npos && argument.starts_with('-') &&
                        option->check_name(argument.substr(0, equals))) {
                        return tr("{command}: the option {option} takes no value",
                                  {{"command", name}, {"option", optionName}});
                    }
                }
            } else if (option->count() == 0) {
                return tr("{command}: the option {option} needs a value",
                          {{"command", name}, {"option", optionName}});
            }
        }
    }
    return tr("{command}: an option lacks its value", {{"command", name}});
}

}  // namespace

std::string commandReached(const CLI::App& app) { return fullName(innermost(app)); }

std::string commandList(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        names.push_back(command->get_name());
    }
    return listed(names);
}

std::string listed(const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == 0) {
            list = names[i];
        } else if (i + 1 == names.size()) {
            list = tr("{list} and {last}", {{"list", list}, {"last", names[i]}});
        } else {
            list = tr("{list}, {next}", {{"list", list}, {"next", names[i]}});
        }
    }
    return list;
}

std::string usageProblem(const CLI::App& app, const CLI::ParseError& error,
                         const std::vector<std::string>& arguments) {
    const CLI::App* command = innermost(app);
    // What was left over tells more than a missing argument: an unknown option or command.
    const bool leftOver = !app.remaining(true).empty();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) || leftOver) return extra(app, command);
    if (dynamic_cast<const CLI::RequiredError*>(&error)) return missing(command);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) ||
        dynamic_cast<const CLI::ConversionError*>(&error)) {
        return mismatch(command, arguments);
    }
    return tr("{command}: the command line cannot be understood", {{"command", fullName(command)}});
}

}  // namespace vesk::cli

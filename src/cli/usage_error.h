#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace vesk::cli {

// What is wrong with the command line, in the command's language, told from the kind of
// CLI11's error and from what the parse left in `app` (the command reached, the options
// it got), never from CLI11's English message. `arguments` are those given, in order.
std::string usageProblem(const CLI::App& app, const CLI::ParseError& error,
                         const std::vector<std::string>& arguments);

// "vesk patch apply": the command the parse reached, with the commands above it.
std::string commandReached(const CLI::App& app);

// "show, export, import, set, diff and patch": the commands `app` offers.
std::string commandList(const CLI::App& app);

// The names as a list in the command's language: "a, b and c".
std::string listed(const std::vector<std::string>& names);

}  // namespace vesk::cli

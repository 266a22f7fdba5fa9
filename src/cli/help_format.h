#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace vesk::cli {

// CLI11's --help in the command's language: the headings, the usage line and the marks of
// required options come from the catalog; the commands give their own descriptions. An
// option that takes a value names it in its option text ("FILE", "csv|json").
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter();
    std::string make_group(std::string group, bool is_positional,
                           std::vector<const CLI::Option*> opts) const override;
    std::string make_option_opts(const CLI::Option* opt) const override;
    // As CLI11 lays it out, but padded by display columns: "(必須)" is narrower than its
    // bytes.
    std::string make_option(const CLI::Option* opt, bool is_positional) const override;
};

// The group the commands are listed under in --help.
std::string commandsHeading();

}  // namespace vesk::cli

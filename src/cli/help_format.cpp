#include "cli/help_format.h"

#include "text/catalog.h"

namespace vesk::cli {

using text::tr;

HelpFormatter::HelpFormatter() {
    label("Usage", tr("Usage"));
    label("OPTIONS", tr("OPTIONS"));
    label("SUBCOMMAND", tr("COMMAND"));
    label("SUBCOMMANDS", tr("COMMAND"));
    label("Positionals", tr("Arguments"));
}

std::string HelpFormatter::make_group(std::string group, bool is_positional,
                                      std::vector<const CLI::Option*> opts) const {
    // CLI11 puts every option into its group "Options" unless told otherwise.
    if (group == "Options") group = tr("Options");
    return CLI::Formatter::make_group(std::move(group), is_positional, std::move(opts));
}

std::string HelpFormatter::make_option_opts(const CLI::Option* opt) const {
    std::string text;
    if (!opt->get_option_text().empty()) text += " " + opt->get_option_text();
    if (opt->get_required() && opt->nonpositional()) text += " " + tr("(required)");
    return text;
}

std::string commandsHeading() { return tr("Commands"); }

}  // namespace vesk::cli

#include "cli/help_format.h"

#include "cli/display_width.h"
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

std::string HelpFormatter::make_option(const CLI::Option* opt, bool is_positional) const {
    const std::string name = "  " + make_option_name(opt, is_positional) + make_option_opts(opt);
    const std::string description = make_option_desc(opt);
    const std::string indent(column_width_, ' ');
    std::string text = padRight(name, column_width_);
    if (!description.empty() && displayWidth(name) >= column_width_) text += "\n" + indent;
    for (const char c : description) {
        text += c;
        if (c == '\n') text += indent;
    }
    return text + "\n";
}

std::string commandsHeading() { return tr("Commands"); }

}  // namespace vesk::cli

#include <cctype>
#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "cli/input_file.h"
#include "exchange/bps_patch.h"
#include "exchange/ips_patch.h"
#include "io/image_file.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

struct CreateOptions {
    std::string original;
    std::string modified;
    std::string output;
    std::string format;
    bool force = false;
};

struct ApplyOptions {
    std::string image;
    std::string patch;
    std::string output;
    bool force = false;
};

std::string lowerExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto separator = path.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

// An output that is one of the inputs would destroy what it is made from. A null input is
// not a file (standard input).
bool isAnInput(CommandContext& context, const std::string& output,
               std::initializer_list<const std::string*> inputs) {
    for (const std::string* input : inputs) {
        if (input && sameFile(*input, output)) {
            context.fail(tr("{file}: this is {input}, an input; choose another file",
                            {{"file", output}, {"input", *input}}));
            return true;
        }
    }
    return false;
}

void create(CommandContext& context, const CreateOptions& options) {
    std::string format = options.format;
    if (format.empty()) format = lowerExtension(options.output) == "ips" ? "ips" : "bps";
    const ImageContent original = readImage(options.original);
    if (!original.problem.empty()) return context.fail(original.problem);
    context.note(original.warnings);
    const ImageContent modified = readImage(options.modified);
    if (!modified.problem.empty()) return context.fail(modified.problem);
    context.note(modified.warnings);
    if (isAnInput(context, options.output, {&options.original, &options.modified})) return;

    exchange::Bytes patch;
    if (format == "ips") {
        exchange::IpsPatchResult ips = exchange::makeIpsPatch(original.bytes, modified.bytes);
        if (!ips.problem.empty()) return context.fail(ips.problem);
        patch = std::move(ips.patch);
    } else {
        patch = exchange::makeBpsPatch(original.bytes, modified.bytes);
    }
    const std::string problem = writeOutputFile(options.output, patch, options.force);
    if (!problem.empty()) return context.fail(problem);
    context.wrote(options.output);
    context.say(
        tr("wrote {file} ({format}, {size} bytes)", {{"file", options.output},
                                                     {"format", format == "ips" ? "IPS" : "BPS"},
                                                     {"size", patch.size()}}));
}

void apply(CommandContext& context, const ApplyOptions& options) {
    const ImageContent image = readImage(options.image);
    if (!image.problem.empty()) return context.fail(image.problem);
    context.note(image.warnings);
    const FileContent patch = readInput(options.patch, context.in);
    if (!patch.problem.empty()) return context.fail(patch.problem);
    const bool piped = options.patch == kStandardInput;
    if (isAnInput(context, options.output, {&options.image, piped ? nullptr : &options.patch})) {
        return;
    }
    const std::string patchName = inputName(options.patch);

    exchange::PatchOutcome outcome;
    if (exchange::looksLikeBps(patch.bytes)) {
        outcome = exchange::applyBpsPatch(image.bytes, patch.bytes);
    } else if (exchange::looksLikeIps(patch.bytes)) {
        outcome = exchange::applyIpsPatch(image.bytes, patch.bytes);
    } else {
        return context.fail(tr("{patch}: not a BPS or IPS patch", {{"patch", patchName}}));
    }
    if (outcome.status == exchange::PatchOutcome::Status::AlreadyPatched) {
        return context.fail(tr("{image}: already patched: {problem}; nothing written",
                               {{"image", options.image}, {"problem", outcome.message}}));
    }
    if (outcome.status != exchange::PatchOutcome::Status::Applied) {
        const std::string& about = outcome.status == exchange::PatchOutcome::Status::WrongSource
                                       ? options.image
                                       : patchName;
        return context.fail(tr("{file}: {problem}; nothing written",
                               {{"file", about}, {"problem", outcome.message}}));
    }
    // Every command refuses an image too short to hold the enemy data; a patch must not
    // make one (an IPS that truncates, a BPS with a small target).
    if (outcome.image.size() < ImageFile::kMinimumSize) {
        return context.fail(
            tr("{patch}: the patched image would have {size} bytes; an image "
               "holding the enemy data has at least {minimum}; nothing written",
               {{"patch", patchName},
                {"size", outcome.image.size()},
                {"minimum", ImageFile::kMinimumSize}}));
    }
    const std::string problem = writeOutputFile(options.output, outcome.image, options.force);
    if (!problem.empty()) return context.fail(problem);
    context.wrote(options.output);
    context.say(tr("wrote {file} ({size} bytes)",
                   {{"file", options.output}, {"size", outcome.image.size()}}));
}

}  // namespace

void addPatchCommand(CLI::App& app, CommandContext& context) {
    CLI::App* patch = app.add_subcommand("patch", tr("Make or apply an IPS or BPS patch"));
    patch->require_subcommand(1);

    auto creating = std::make_shared<CreateOptions>();
    CLI::App* create_ = patch->add_subcommand(
        "create", tr("Make a patch that turns ORIGINAL into MODIFIED (the whole file)"));
    create_->add_option("ORIGINAL", creating->original, tr("the unchanged image"))->required();
    create_->add_option("MODIFIED", creating->modified, tr("the changed image"))->required();
    create_->add_option("-o,--output", creating->output, tr("the patch file to write"))
        ->required()
        ->option_text("FILE");
    create_
        ->add_option("--format", creating->format,
                     tr("bps or ips (default: from the output's extension, else bps)"))
        ->option_text("bps|ips");
    create_->add_flag("--force", creating->force, tr("replace an existing patch file"));
    create_->callback([&context, creating] {
        if (isOneOf(context, "--format", creating->format, {"", "bps", "ips"})) {
            create(context, *creating);
        }
    });

    auto applying = std::make_shared<ApplyOptions>();
    CLI::App* apply_ = patch->add_subcommand(
        "apply", tr("Apply a patch to IMAGE and write the result to OUT; IMAGE is never changed"));
    apply_->add_option("IMAGE", applying->image, tr("the image the patch was made for"))
        ->required();
    apply_
        ->add_option("PATCH", applying->patch,
                     tr("the .bps or .ips patch; - reads it from standard input"))
        ->required();
    apply_->add_option("-o,--output", applying->output, tr("the patched image to write"))
        ->required()
        ->option_text("OUT");
    apply_->add_flag("--force", applying->force, tr("replace an existing output file"));
    apply_->callback([&context, applying] { apply(context, *applying); });
}

}  // namespace vesk::cli

#include <cctype>
#include <memory>

#include "cli/commands.h"
#include "cli/file_access.h"
#include "cli/input_file.h"
#include "exchange/bps_patch.h"
#include "exchange/ips_patch.h"
#include "io/image_file.h"

namespace vesk::cli {
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
            context.fail(output + ": this is " + *input + ", an input; choose another file");
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
    context.say("wrote " + options.output + " (" + (format == "ips" ? "IPS" : "BPS") + ", " +
                std::to_string(patch.size()) + " bytes)");
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
        return context.fail(patchName + ": not a BPS or IPS patch");
    }
    if (outcome.status == exchange::PatchOutcome::Status::AlreadyPatched) {
        return context.fail(options.image + ": already patched: " + outcome.message +
                            "; nothing written");
    }
    if (outcome.status != exchange::PatchOutcome::Status::Applied) {
        const std::string& about = outcome.status == exchange::PatchOutcome::Status::WrongSource
                                       ? options.image
                                       : patchName;
        return context.fail(about + ": " + outcome.message + "; nothing written");
    }
    // Every command refuses an image too short to hold the enemy data; a patch must not
    // make one (an IPS that truncates, a BPS with a small target).
    if (outcome.image.size() < ImageFile::kMinimumSize) {
        return context.fail(patchName + ": the patched image would have " +
                            std::to_string(outcome.image.size()) +
                            " bytes; an image holding the enemy data has at least " +
                            std::to_string(ImageFile::kMinimumSize) + "; nothing written");
    }
    const std::string problem = writeOutputFile(options.output, outcome.image, options.force);
    if (!problem.empty()) return context.fail(problem);
    context.wrote(options.output);
    context.say("wrote " + options.output + " (" + std::to_string(outcome.image.size()) +
                " bytes)");
}

}  // namespace

void addPatchCommand(CLI::App& app, CommandContext& context) {
    CLI::App* patch = app.add_subcommand("patch", "Make or apply an IPS or BPS patch");
    patch->require_subcommand(1);

    auto creating = std::make_shared<CreateOptions>();
    CLI::App* create_ = patch->add_subcommand(
        "create", "Make a patch that turns ORIGINAL into MODIFIED (the whole file)");
    create_->add_option("ORIGINAL", creating->original, "the unchanged image")->required();
    create_->add_option("MODIFIED", creating->modified, "the changed image")->required();
    create_->add_option("-o,--output", creating->output, "the patch file to write")->required();
    create_
        ->add_option("--format", creating->format,
                     "bps or ips (default: from the output's extension, else bps)")
        ->check(CLI::IsMember({"bps", "ips"}));
    create_->add_flag("--force", creating->force, "replace an existing patch file");
    create_->callback([&context, creating] { create(context, *creating); });

    auto applying = std::make_shared<ApplyOptions>();
    CLI::App* apply_ = patch->add_subcommand(
        "apply", "Apply a patch to IMAGE and write the result to OUT; IMAGE is never changed");
    apply_->add_option("IMAGE", applying->image, "the image the patch was made for")->required();
    apply_
        ->add_option("PATCH", applying->patch,
                     "the .bps or .ips patch; - reads it from standard input")
        ->required();
    apply_->add_option("-o,--output", applying->output, "the patched image to write")->required();
    apply_->add_flag("--force", applying->force, "replace an existing output file");
    apply_->callback([&context, applying] { apply(context, *applying); });
}

}  // namespace vesk::cli

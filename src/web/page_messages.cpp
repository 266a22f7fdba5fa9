#include "web/page_messages.h"

#include <cstdio>

#include "text/catalog.h"

namespace vesk::web::messages {
namespace {

using text::tr;

std::string hexByte(std::size_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02zX", value);
    return text;
}

}  // namespace

std::string tooShort() { return tr("The file is too small; the enemy data could not be read."); }

std::string notAPatch() { return tr("This is not a BPS or IPS patch."); }

std::string patchTooShort() {
    return tr("The patched image is too small; the enemy data could not be read.");
}

std::string historyUnreadable() {
    return tr("The saved edit history could not be read; nothing was changed.");
}

std::string headerProblem(const HeaderProblem& problem) {
    switch (problem.kind) {
        case HeaderProblem::Kind::Checksum:
            return tr(
                "The cartridge header's checksum does not match ({found}; the bytes sum "
                "to {expected}). This may not be a Game Boy image.",
                {{"found", hexByte(problem.found)}, {"expected", hexByte(problem.expected)}});
        case HeaderProblem::Kind::RomSize:
            if (problem.found == 0) {
                return tr(
                    "The cartridge header's ROM-size value names no cartridge size. This "
                    "may not be a Game Boy image.");
            }
            return tr(
                "The cartridge header's ROM size ({rom} bytes) differs from the file's "
                "size ({size} bytes). This may not be a Game Boy image.",
                {{"rom", problem.found}, {"size", problem.expected}});
        case HeaderProblem::Kind::TooLarge:
            return tr(
                "The file ({size} bytes) is larger than any Game Boy cartridge. This may "
                "not be a Game Boy image.",
                {{"size", problem.found}});
    }
    return {};
}

}  // namespace vesk::web::messages

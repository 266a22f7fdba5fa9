#include "cli/header_warning.h"

#include <cstdio>

#include "data/cartridge_header.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;
namespace {

std::string hexByte(std::size_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02zX", value);
    return text;
}

std::string describe(const HeaderProblem& problem) {
    switch (problem.kind) {
        case HeaderProblem::Kind::Checksum:
            return tr("the cartridge header's checksum is {found}, but its bytes sum to {sum}",
                      {{"found", hexByte(problem.found)}, {"sum", hexByte(problem.expected)}});
        case HeaderProblem::Kind::RomSize:
            if (problem.found == 0) {
                return tr("the cartridge header's ROM-size byte names no cartridge size");
            }
            return tr("the cartridge header names a ROM of {rom} bytes, but the file has {size}",
                      {{"rom", problem.found}, {"size", problem.expected}});
        case HeaderProblem::Kind::TooLarge:
            return tr("the file has {size} bytes, more than any Game Boy cartridge ({largest})",
                      {{"size", problem.found}, {"largest", problem.expected}});
    }
    return {};
}

}  // namespace

std::vector<std::string> headerWarnings(const std::string& path, exchange::ByteView image) {
    std::vector<std::string> lines;
    for (const HeaderProblem& problem : cartridgeHeaderProblems(image)) {
        lines.push_back(tr("warning: {file}: {problem}; it may not be a Game Boy image",
                           {{"file", path}, {"problem", describe(problem)}}));
    }
    return lines;
}

}  // namespace vesk::cli

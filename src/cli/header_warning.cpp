#include "cli/header_warning.h"

#include <cstdio>

#include "data/cartridge_header.h"

namespace vesk::cli {
namespace {

std::string hexByte(std::size_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02zX", value);
    return text;
}

std::string describe(const HeaderProblem& problem) {
    switch (problem.kind) {
        case HeaderProblem::Kind::Checksum:
            return "the cartridge header's checksum is " + hexByte(problem.found) +
                   ", but its bytes sum to " + hexByte(problem.expected);
        case HeaderProblem::Kind::RomSize:
            if (problem.found == 0) {
                return "the cartridge header's ROM-size byte names no cartridge size";
            }
            return "the cartridge header names a ROM of " + std::to_string(problem.found) +
                   " bytes, but the file has " + std::to_string(problem.expected);
        case HeaderProblem::Kind::TooLarge:
            return "the file has " + std::to_string(problem.found) +
                   " bytes, more than any Game Boy cartridge (" + std::to_string(problem.expected) +
                   ")";
    }
    return {};
}

}  // namespace

std::vector<std::string> headerWarnings(const std::string& path, exchange::ByteView image) {
    std::vector<std::string> lines;
    for (const HeaderProblem& problem : cartridgeHeaderProblems(image)) {
        lines.push_back("warning: " + path + ": " + describe(problem) +
                        "; it may not be a Game Boy image");
    }
    return lines;
}

}  // namespace vesk::cli

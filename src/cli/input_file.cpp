#include "cli/input_file.h"

namespace vesk::cli {

FileContent readInput(const std::string& path, std::istream* in, std::size_t maxBytes) {
    if (path != kStandardInput) return readWholeFile(path, {maxBytes, true});
    FileContent content;
    if (!in) {
        content.problem = "standard input: cannot be read here";
        return content;
    }
    content = readStream(*in, maxBytes);
    if (in->bad()) {
        content.problem = "standard input: cannot read it";
        content.bytes.clear();
    }
    return content;
}

std::string inputName(const std::string& path) {
    return path == kStandardInput ? "standard input" : path;
}

}  // namespace vesk::cli

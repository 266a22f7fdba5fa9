#include "cli/input_file.h"

#include <iterator>

namespace vesk::cli {

FileContent readInput(const std::string& path, std::istream* in) {
    if (path != kStandardInput) return readWholeFile(path);
    FileContent content;
    if (!in) {
        content.problem = "standard input: cannot be read here";
        return content;
    }
    content.bytes.assign(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>());
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

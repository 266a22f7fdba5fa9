#include "cli/input_file.h"
#include "text/catalog.h"

namespace vesk::cli {

using text::tr;

FileContent readInput(const std::string& path, std::istream* in, std::size_t maxBytes) {
    if (path != kStandardInput) return readWholeFile(path, {maxBytes, true});
    FileContent content;
    if (!in) {
        content.problem = tr("standard input: cannot be read here");
        return content;
    }
    content = readStream(*in, maxBytes);
    if (in->bad()) {
        content.problem = tr("standard input: cannot read it");
        content.bytes.clear();
    }
    return content;
}

std::string inputName(const std::string& path) {
    return path == kStandardInput ? tr("standard input") : path;
}

}  // namespace vesk::cli

#include "cli/file_access.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/error_reason.h"
#include "io/image_file.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/whole_file.h"

namespace vesk::cli {
namespace {

std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string cannotOpen(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(fsPath(path), error)) return path + ": no such file";
    if (std::filesystem::is_directory(fsPath(path), error)) return path + ": is a directory";
    return path + ": cannot open the file" + errorReason();
}

}  // namespace

bool pathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(fsPath(path), error));
}

bool sameFile(const std::string& a, const std::string& b) { return platform::sameFile(a, b); }

FileContent readWholeFile(const std::string& path) {
    FileContent content;
    clearErrorReason();
    platform::File file;
    if (!file.openExisting(path, platform::File::Access::ReadShared)) {
        content.problem = cannotOpen(path);
        return content;
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        content.problem = path + ": cannot tell the file's size" + errorReason();
        return content;
    }
    content.bytes.resize(static_cast<std::size_t>(size));
    const std::int64_t got = file.readAt(0, content.bytes.data(), content.bytes.size());
    if (got != size) {
        content.problem = path + ": cannot read the file" + errorReason();
        content.bytes.clear();
    }
    return content;
}

ImageContent readImage(const std::string& path) {
    ImageContent image;
    FileContent file = readWholeFile(path);
    if (!file.problem.empty()) {
        image.problem = file.problem;
        return image;
    }
    if (file.bytes.size() < ImageFile::kMinimumSize) {
        image.problem = path + ": the file has " + std::to_string(file.bytes.size()) +
                        " bytes; an image holding the enemy data has at least " +
                        std::to_string(ImageFile::kMinimumSize);
        return image;
    }
    image.bytes = std::move(file.bytes);
    std::copy_n(image.bytes.begin() + EnemyBlock::kImageOffset, EnemyBlock::kSize,
                image.block.bytes().begin());
    return image;
}

std::string writeOutputFile(const std::string& path, exchange::ByteView bytes, bool replace) {
    if (!replace && pathExists(path)) {
        return path + ": the file exists already; use --force to replace it";
    }
    clearErrorReason();
    if (!platform::writeWholeFile(path, bytes.data(), bytes.size(), replace)) {
        return path + ": cannot write the file" + errorReason();
    }
    return {};
}

}  // namespace vesk::cli

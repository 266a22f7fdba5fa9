#include "cli/file_access.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/reason_message.h"
#include "io/image_file.h"
#include "platform/file.h"
#include "platform/file_copy.h"
#include "platform/whole_file.h"

namespace vesk::cli {
namespace {

std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A regular file, or no file at all (also where a link points nowhere).
bool isFileOrNothing(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(fsPath(path), error);
    return std::filesystem::is_regular_file(status) || !std::filesystem::exists(status);
}

}  // namespace

bool pathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(fsPath(path), error));
}

bool sameFile(const std::string& a, const std::string& b) { return platform::sameFile(a, b); }

FileContent readWholeFile(const std::string& path) {
    FileContent content;
    platform::File file;
    // The reason says it when there is no such file or it is a folder.
    if (!file.openExisting(path, platform::File::Access::ReadShared)) {
        content.problem = messageWithReason(path + ": cannot open the file", file.lastError());
        return content;
    }
    const std::int64_t size = file.size();
    if (size < 0) {
        content.problem =
            messageWithReason(path + ": cannot tell the file's size", file.lastError());
        return content;
    }
    content.bytes.resize(static_cast<std::size_t>(size));
    const std::int64_t got = file.readAt(0, content.bytes.data(), content.bytes.size());
    if (got != size) {
        content.problem = messageWithReason(path + ": cannot read the file", file.lastError());
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
    platform::ErrorReason reason;
    // A folder, pipe or device is never replaced, so --force would not help there.
    if (!replace && pathExists(path) && !isFileOrNothing(path)) {
        reason = platform::ErrorReason::of(platform::ErrorReason::Cause::NotRegularFile);
        return messageWithReason(path + ": cannot write the file", reason);
    }
    if (!replace && pathExists(path)) {
        return path + ": the file exists already; use --force to replace it";
    }
    if (!platform::writeWholeFile(path, bytes.data(), bytes.size(), replace, reason)) {
        return messageWithReason(path + ": cannot write the file", reason);
    }
    return {};
}

}  // namespace vesk::cli

#include "io/image_file.h"

#include "io/path_parts.h"
#include "platform/file.h"
#include "platform/file_copy.h"

namespace vesk {

namespace {

using Cause = platform::ErrorReason::Cause;

}  // namespace

ImageFile::ReadResult ImageFile::readBlock(EnemyBlock& block) {
    lastError_ = {};
    platform::File file;
    if (!file.openExisting(currentPath, platform::File::Access::ReadShared)) {
        lastError_ = file.lastError();
        return ReadResult::CannotOpen;
    }
    const std::int64_t size = file.size();
    if (size < 0) return ReadResult::CannotOpen;
    if (!EnemyBlock::fitsIn(static_cast<std::uint64_t>(size))) {
        lastError_ = platform::ErrorReason::of(Cause::TooShort);
        return ReadResult::TooShort;
    }

    // Read into a scratch copy so that a failed read leaves the block as it was.
    std::array<std::uint8_t, EnemyBlock::kSize> bytes;
    const std::int64_t count = file.readAt(EnemyBlock::kImageOffset, bytes.data(), bytes.size());
    if (count < 0) {
        lastError_ = file.lastError();
        return ReadResult::CannotOpen;
    }
    // The file shrank since its size was taken.
    if (static_cast<std::size_t>(count) != bytes.size()) {
        lastError_ = platform::ErrorReason::of(Cause::TooShort);
        return ReadResult::TooShort;
    }
    block.bytes() = bytes;
    return ReadResult::Ok;
}

bool ImageFile::read(EnemyBlock& block) { return readBlock(block) == ReadResult::Ok; }

bool ImageFile::openForWriting(platform::File& file) {
    lastError_ = {};
    if (!file.openExisting(currentPath, platform::File::Access::WriteExclusive)) {
        lastError_ = file.lastError();
        return false;
    }
    // Writing the block into a shorter file would lengthen it.
    const std::int64_t size = file.size();
    if (size < 0 || !EnemyBlock::fitsIn(static_cast<std::uint64_t>(size))) {
        lastError_ = platform::ErrorReason::of(Cause::TooShort);
        return false;
    }
    return true;
}

bool ImageFile::canWrite() {
    platform::File file;
    return openForWriting(file);
}

bool ImageFile::write(const EnemyBlock& block) {
    platform::File file;
    if (!openForWriting(file)) return false;
    const auto& bytes = block.bytes();
    if (file.writeAt(EnemyBlock::kImageOffset, bytes.data(), bytes.size()) && file.flush()) {
        return true;
    }
    lastError_ = file.lastError();
    return false;
}

bool ImageFile::copyCurrentTo(const std::string& path) {
    lastError_ = {};
    if (currentPath.empty() || path.empty()) {
        lastError_ = platform::ErrorReason::of(Cause::NotFound);
        return false;
    }
    // Onto the image itself there is nothing to copy; the block is then written in place.
    if (platform::sameFile(currentPath, path)) return true;
    // The save chooser has already asked before an existing file is replaced.
    return platform::copyFile(currentPath, path, /*replaceExisting=*/true, lastError_);
}

void ImageFile::useSaveAsPath() { currentPath = saveAsPath; }

std::string ImageFile::backupPath() const {
    if (currentPath.empty()) return {};
    const PathParts parts = splitPath(currentPath);
    return joinPath(parts.drive, parts.directory, parts.baseName, "gb.bak");
}

bool ImageFile::backup() {
    lastError_ = {};
    const std::string target = backupPath();
    if (target.empty()) {
        lastError_ = platform::ErrorReason::of(Cause::NotFound);
        return false;
    }
    // The program made the name up, so whatever stands there is replaced, never written
    // through.
    return platform::copyReplacingName(currentPath, target, lastError_);
}

}  // namespace vesk

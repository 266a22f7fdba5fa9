#pragma once

#include <string>

#include "data/enemy_block.h"
#include "platform/error.h"

namespace vesk::platform {
class File;
}

namespace vesk {

// Moves the enemy block between memory and the cartridge image, copies the image for
// "save as" and keeps the backup beside it. Never touches a byte outside the block.
class ImageFile {
public:
    std::string currentPath;  // UTF-8
    std::string saveAsPath;   // UTF-8

    enum class ReadResult { Ok, CannotOpen, TooShort };

    // The smallest file that holds the whole block; shorter files are refused.
    static constexpr std::size_t kMinimumSize = EnemyBlock::kImageEnd;

    ReadResult readBlock(EnemyBlock& block);  // tells the controller which error text to show
    bool read(EnemyBlock& block);             // readBlock(block) == ReadResult::Ok
    bool write(const EnemyBlock& block);      // false: not written in full
    // Whether write could open the image now (nothing is written), asked before a backup
    // so that a save bound to fail does not replace the previous one.
    bool canWrite();
    bool copyCurrentTo(const std::string& path);
    void useSaveAsPath();
    std::string backupPath() const;  // "" when it cannot be formed
    bool backup();
    // Why the last failed readBlock, read, write, canWrite, copyCurrentTo or backup failed.
    const platform::ErrorReason& lastError() const { return lastError_; }

private:
    // Opens the image for writing the block, refusing a file too short to hold it.
    bool openForWriting(platform::File& file);

    platform::ErrorReason lastError_;
};

}  // namespace vesk

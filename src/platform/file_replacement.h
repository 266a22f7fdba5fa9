#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace vesk::platform {

// Gives a file new whole content safely: the one way the settings file, copies, backups
// and the command's outputs are written.
//
// What is at the path decides how:
// - Nothing: a new file is made beside the name, filled, flushed and put there in one
//   step, so it appears whole or not at all.
// - An existing regular file (only when replacing is allowed) stays the file it was, with
//   its owner, group, permissions and other names. Where a new file can take all that over
//   (the file is ours, has one name, and its folder lets us make files) the content goes
//   into a new file that replaces it in one step; otherwise it is written into the file
//   itself.
// - A symbolic link is followed: what it points to gets the content, the link stays.
// A name the program made up (Options::namedBy) is different: whatever stands there is
// replaced by a new file of its own, a symbolic link included, and a file with other names
// loses only this one; what they lead to stays as it was.
// Refused, with everything left as it was: a folder, pipe, socket or device (on Windows
// also reserved names such as NUL and CON), a read-only file, a file another program holds
// locked or open for writing (at once, without waiting), and any existing name when
// replacing is not allowed.
class FileReplacement {
public:
    // Who chose the name, and so what an existing one stands for.
    enum class NamedBy {
        User,     // the file it leads to, through links, with all its names
        Program,  // the name alone (a backup's)
    };

    struct Options {
        bool replaceExisting = false;
        NamedBy namedBy = NamedBy::User;
        // Permissions of a file made new (POSIX bits, filtered by the umask; on Windows a
        // file without any write bit gets the read-only attribute). An existing file keeps
        // its own.
        std::uint32_t newFilePermissions = 0666;
        // For copies: an existing target that is its source under another name gets a
        // file of its own instead of being written through.
        std::string source;
    };

    FileReplacement();
    ~FileReplacement();  // what was not committed is discarded
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Looks at `path` and gets ready to give it new content; an existing file is held
    // against other writers until commit. False, with the reason, when it is refused.
    bool begin(const std::string& path, const Options& options, ErrorReason& reason);
    // Whether begin found an existing file.
    bool replacesExisting() const;
    // Whether the content will be written into the existing file itself rather than
    // replace it in one step (then a crash can leave it part written).
    bool writesInPlace() const;
    // The existing file's content, for callers that change a part of it ("" for none).
    bool readExisting(std::string& content, ErrorReason& reason);
    // Puts `content` in place as the file's whole content.
    bool commit(std::string_view content, ErrorReason& reason);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A whole file written through FileReplacement in one call.
bool replaceFileContent(const std::string& path, std::string_view content,
                        const FileReplacement::Options& options, ErrorReason& reason);

}  // namespace vesk::platform

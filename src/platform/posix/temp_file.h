#pragma once

#include <sys/types.h>

#include <string>

#include "platform/posix/fd.h"

namespace vesk::platform::posix {

// A new file beside a target, filled first and then put in the target's place in one
// step, so the target is never seen half written. Removed again unless placed.
class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates the file in the directory of `target`; `mode` is filtered by the umask.
    bool createBeside(const std::string& target, mode_t mode);
    int fd() const { return fd_.get(); }

    // Flushes, closes and renames onto target, replacing what is there.
    bool replace(const std::string& target);
    // Like replace, but fails when target exists in any form.
    bool placeNew(const std::string& target);

private:
    bool finish();
    void discard();

    UniqueFd fd_;
    std::string path_;
};

}  // namespace vesk::platform::posix

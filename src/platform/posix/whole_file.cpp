#include "platform/whole_file.h"

#include <sys/stat.h>

#include "platform/posix/fd.h"
#include "platform/posix/temp_file.h"

namespace vesk::platform {

bool writeWholeFile(const std::string& path, const void* data, std::size_t n,
                    bool replaceExisting) {
    if (path.empty()) return false;
    posix::TempFile file;
    // Read and write for everyone the umask allows, as a newly created file gets.
    if (!file.createBeside(path, S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) {
        return false;
    }
    if (!posix::writeFull(file.fd(), data, n)) return false;
    return replaceExisting ? file.replace(path) : file.placeNew(path);
}

}  // namespace vesk::platform

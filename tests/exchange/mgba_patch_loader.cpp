#include "mgba_patch_loader.h"

extern "C" {
#include <mgba-util/patch.h>
#include <mgba-util/vfs.h>
}

namespace vesk::test {

std::optional<exchange::Bytes> applyWithMgba(const exchange::Bytes& image,
                                             const exchange::Bytes& patch) {
    VFile* file = VFileFromConstMemory(patch.data(), patch.size());
    if (!file) return std::nullopt;
    Patch loaded{};
    std::optional<exchange::Bytes> result;
    if (loadPatch(file, &loaded)) {
        exchange::Bytes out(loaded.outputSize(&loaded, image.size()));
        if (loaded.applyPatch(&loaded, image.data(), image.size(), out.data(), out.size())) {
            result = std::move(out);
        }
    }
    file->close(file);
    return result;
}

}  // namespace vesk::test

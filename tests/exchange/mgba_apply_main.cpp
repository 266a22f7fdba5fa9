// Applies a patch with mGBA's loader, for tests outside C++ (the browser story):
//   vesk-mgba-apply IMAGE PATCH OUTPUT
#include <cstdio>
#include <fstream>
#include <iterator>

#include "mgba_patch_loader.h"

namespace {

bool readFile(const char* path, vesk::exchange::Bytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vesk-mgba-apply IMAGE PATCH OUTPUT\n");
        return 2;
    }
    vesk::exchange::Bytes image, patch;
    if (!readFile(argv[1], image) || !readFile(argv[2], patch)) {
        std::fprintf(stderr, "vesk-mgba-apply: cannot read the image or the patch\n");
        return 1;
    }
    const auto patched = vesk::test::applyWithMgba(image, patch);
    if (!patched) {
        std::fprintf(stderr, "vesk-mgba-apply: mGBA refused the patch\n");
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(patched->data()),
              static_cast<std::streamsize>(patched->size()));
    return out.good() ? 0 : 1;
}

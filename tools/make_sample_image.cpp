// Writes a synthetic cartridge image for tests and demonstrations:
//   vesk-sample-image OUTPUT.gb [SEED]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sample_image.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.gb [SEED]\n", argv[0]);
        return 2;
    }
    const auto seed = argc == 3 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1u;
    if (!vesk::tools::writeSampleImage(argv[1], seed)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

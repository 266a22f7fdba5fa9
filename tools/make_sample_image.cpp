// Writes a synthetic cartridge image for tests and demonstrations:
//   vesk-sample-image OUTPUT.gb [SEED]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sample_image.h"

namespace {

int run(int argc, const std::string& program, const std::string& output,
        const std::string& seedText) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.gb [SEED]\n", program.c_str());
        return 2;
    }
    const auto seed =
        argc == 3 ? static_cast<std::uint32_t>(std::strtoul(seedText.c_str(), nullptr, 10)) : 1u;
    if (!vesk::tools::writeSampleImage(output, seed)) {
        std::fprintf(stderr, "cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that a Japanese output name survives on a Windows of any language.
int wmain(int argc, wchar_t** argv) {
    auto utf8 = [&](int i) {
        if (i >= argc) return std::string();
        const std::u8string text = std::filesystem::path(argv[i]).u8string();
        return std::string(text.begin(), text.end());
    };
    return run(argc, utf8(0), utf8(1), utf8(2));
}
#else
int main(int argc, char** argv) {
    auto arg = [&](int i) { return i < argc ? std::string(argv[i]) : std::string(); };
    return run(argc, arg(0), arg(1), arg(2));
}
#endif

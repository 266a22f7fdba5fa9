// vesk-layout-rc FILE: writes the resource script of the main window's menu and dialog,
// generated from the layout table, to FILE. FILE is left alone when it already holds
// that text, so that the resources are not compiled again for nothing.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "rc_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-layout-rc FILE\n");
        return 2;
    }
    const std::string text = vesk::tools::layoutRcText();
    {
        std::ifstream existing(argv[1], std::ios::binary);
        const std::string old{std::istreambuf_iterator<char>(existing), {}};
        if (existing && old == text) return 0;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "vesk-layout-rc: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// resgen <output folder>: writes the skin's bitmaps, sounds and icon for the resource
// compiler. Runs at build time; the output depends on nothing but this program.
#include <cstdio>

#include "generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: resgen <output folder>\n");
        return 2;
    }
    std::string error = WriteResources(argv[1], GenerateResources());
    if (!error.empty()) {
        std::fprintf(stderr, "resgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

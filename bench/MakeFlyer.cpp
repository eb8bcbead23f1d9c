// Writes the benchmark flyer: make_flyer OUT [SHAPES]
#include "FlyerGen.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: oltrane_make_flyer OUT [SHAPES]\n");
        return 2;
    }
    int shapes = argc > 2 ? std::atoi(argv[2]) : 5000;
    return WriteFlyer(argv[1], shapes > 0 ? shapes : 5000) ? 0 : 1;
}

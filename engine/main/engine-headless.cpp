// The automation runner: engine-headless [INPUT-FILE]; commands from standard input
// when no file is given.
#include <fstream>
#include <iostream>

#include "engine/main/headless_runner.h"
#include "engine/main/standard_services.h"

int main(int argc, char** argv) {
    // The same text and codecs as the windowed programs, so runs match them to the pixel.
    StandardServices standard;
    if (argc > 2) {
        std::cerr << "usage: engine-headless [INPUT-FILE]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "engine-headless: cannot read " << argv[1] << "\n";
            return 2;
        }
        return runHeadless(file, std::cout, std::cerr, standard.services());
    }
    return runHeadless(std::cin, std::cout, std::cerr, standard.services());
}

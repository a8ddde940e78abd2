// Writes a generated category tree: tessaroo-treegen <entries> <file> [seed]

#include "TreeGenerator.h"

#include <cstdlib>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: tessaroo-treegen <entries> <file> [seed]\n";
        return 2;
    }
    try {
        const std::size_t entries = std::stoul(argv[1]);
        const auto seed = argc == 4 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 1u;
        WriteGeneratedTree(entries, argv[2], seed);
        std::cout << "wrote " << entries << " entries to " << argv[2] << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

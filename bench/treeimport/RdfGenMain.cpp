// Writes a generated RDF structure dump: tessaroo-rdfgen <topics> <file> [--gzip] [seed]

#include "RdfDumpGenerator.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    std::string arguments[4];
    int count = 0;
    bool compressed = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--gzip")
            compressed = true;
        else if (count < 3)
            arguments[count++] = argv[i];
        else
            count = 4;
    }
    if (count < 2 || count > 3) {
        std::cerr << "usage: tessaroo-rdfgen <topics> <file> [--gzip] [seed]\n";
        return 2;
    }
    try {
        const std::size_t topics = std::stoul(arguments[0]);
        const auto seed = count == 3 ? static_cast<std::uint32_t>(std::stoul(arguments[2])) : 1u;
        WriteGeneratedRdfDump(topics, arguments[1], compressed, seed);
        std::cout << "wrote " << topics << " topics to " << arguments[1] << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

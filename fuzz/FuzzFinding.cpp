#include "fuzz/FuzzFinding.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Control bytes and bytes above ASCII as \xNN, so that the report shows what broke the line.
void PrintEscaped(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || byte == '\\')
            std::fprintf(stderr, "\\x%02X", byte);
        else
            std::fputc(byte, stderr);
    }
}

}  // namespace

void ReportFinding(std::string_view what, std::string_view detail)
{
    std::fprintf(stderr, "FINDING: %.*s\n  in: \"", static_cast<int>(what.size()), what.data());
    PrintEscaped(detail);
    std::fprintf(stderr, "\"\n");
    std::abort();
}

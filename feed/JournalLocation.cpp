#include "feed/JournalLocation.h"

#include "common/core/StateFolder.h"
#include "feed/FeedErrors.h"

#include <cctype>
#include <cstdio>
#include <string_view>

namespace {

std::string FileNamePart(std::string_view text)
{
    std::string part;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '.' || c == '-') {
            part += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            part += escaped;
        }
    }
    return part;
}

std::string DefaultPort(std::string_view scheme)
{
    return scheme == "https" ? "443" : "80";
}

}  // namespace

std::filesystem::path JournalFolder()
{
    const std::optional<std::filesystem::path> folder = StateFolder();
    if (!folder)
        throw EFeedJournal("Cannot find the folder of the feed journals: neither XDG_STATE_HOME nor HOME is set.");
    return *folder;
}

std::string JournalFileName(const std::string& adminAddress)
{
    std::string_view rest = adminAddress;
    const std::size_t schemeEnd = rest.find("://");
    const std::string_view scheme = schemeEnd == std::string_view::npos ? "http" : rest.substr(0, schemeEnd);
    if (schemeEnd != std::string_view::npos)
        rest.remove_prefix(schemeEnd + 3);
    const std::string_view authority = rest.substr(0, rest.find('/'));
    // The port follows the last colon, unless that colon is inside an IPv6 address in brackets.
    const std::size_t colon = authority.rfind(':');
    const bool hasPort = colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos;
    const std::string_view host = hasPort ? authority.substr(0, colon) : authority;
    const std::string port = hasPort ? std::string(authority.substr(colon + 1)) : DefaultPort(scheme);
    return FileNamePart(scheme) + "-" + FileNamePart(host) + "-" + FileNamePart(port) + ".journal";
}

#include "tools/site/SiteOptions.h"

#include <charconv>

const char* const SiteUsageText =
    "usage: corvane-site [--port N] [--db FILE] [--user NAME] [--password TEXT]\n"
    "                    [--url-rewriting | --legacy-pages]\n"
    "                    [--hide-new N] [--fail PATH=STATUS]... [--redirect-after-login]\n"
    "                    [--no-content-length] [--chunked] [--tls [--cert FILE --key FILE]]\n";

namespace {

int ParseNumber(const std::string& option, const std::string& text, int lowest, int highest)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < lowest || value > highest)
        throw ESiteUsage(option + ": \"" + text + "\" is not a number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest));
    return value;
}

void AddFailingPage(TSiteOptions& options, const std::string& text)
{
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0 || text[0] != '/')
        throw ESiteUsage("--fail: \"" + text + "\" is not of the form /PATH=STATUS");
    options.FailingPages[text.substr(0, equals)] = ParseNumber("--fail", text.substr(equals + 1), 100, 599);
}

}  // namespace

TSiteOptions ParseSiteOptions(const std::vector<std::string>& arguments)
{
    TSiteOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw ESiteUsage(name + " needs a value");
            return arguments[++i];
        };
        if (name == "--legacy-pages")
            options.LegacyPages = true;
        else if (name == "--url-rewriting")
            options.UrlRewriting = true;
        else if (name == "--port")
            options.Port = ParseNumber(name, value(), 0, 65535);
        else if (name == "--db")
            options.DatabaseFile = value();
        else if (name == "--user")
            options.User = value();
        else if (name == "--password")
            options.Password = value();
        else if (name == "--hide-new")
            options.HideNewForGets = ParseNumber(name, value(), 0, 1000000);
        else if (name == "--fail")
            AddFailingPage(options, value());
        else if (name == "--redirect-after-login")
            options.RedirectAfterLogin = true;
        else if (name == "--no-content-length")
            options.NoContentLength = true;
        else if (name == "--chunked")
            options.Chunked = true;
        else if (name == "--tls")
            options.Tls = true;
        else if (name == "--cert")
            options.CertificateFile = value();
        else if (name == "--key")
            options.KeyFile = value();
        else
            throw ESiteUsage("unknown argument \"" + name + "\"");
    }
    if (options.LegacyPages && options.UrlRewriting)
        throw ESiteUsage("--url-rewriting and --legacy-pages exclude each other");
    if (options.NoContentLength && options.Chunked)
        throw ESiteUsage("--no-content-length and --chunked exclude each other");
    if (options.CertificateFile.empty() != options.KeyFile.empty())
        throw ESiteUsage("--cert and --key go together");
    if (!options.CertificateFile.empty() && !options.Tls)
        throw ESiteUsage("--cert and --key need --tls");
    return options;
}

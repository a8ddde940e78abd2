#include "tools/site/SessionTable.h"

#include <random>

const char* const SessionCookieName = "CORVANESESSID";

namespace {

std::string RandomHex(std::size_t digits)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char hex[] = "0123456789abcdef";
    std::string text(digits, '0');
    for (char& digit : text)
        digit = hex[generator() % 16];
    return text;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string TSessionTable::Start()
{
    std::string id;
    do
        id = RandomHex(32);
    while (Sessions.count(id) != 0);
    Sessions[id] = TSession();
    return id;
}

bool TSessionTable::Exists(const std::string& id) const
{
    return Sessions.count(id) != 0;
}

bool TSessionTable::IsLoggedIn(const std::string& id) const
{
    const auto session = Sessions.find(id);
    return session != Sessions.end() && session->second.LoggedIn;
}

void TSessionTable::LogIn(const std::string& id)
{
    Sessions[id].LoggedIn = true;
}

void TSessionTable::End(const std::string& id)
{
    Sessions.erase(id);
}

void TSessionTable::SetUpChecks(const std::string& id, TCategoryForm form)
{
    if (const auto session = Sessions.find(id); session != Sessions.end())
        session->second.CheckedForms.insert(form);
}

bool TSessionTable::HasChecks(const std::string& id, TCategoryForm form) const
{
    const auto session = Sessions.find(id);
    return session != Sessions.end() && session->second.CheckedForms.count(form) != 0;
}

std::string SessionIdFromCookies(const std::string& cookieHeader)
{
    const std::string prefix = std::string(SessionCookieName) + "=";
    std::size_t start = 0;
    while (start <= cookieHeader.size()) {
        auto end = cookieHeader.find(';', start);
        if (end == std::string::npos)
            end = cookieHeader.size();
        const std::string pair = Trimmed(cookieHeader.substr(start, end - start));
        if (pair.compare(0, prefix.size(), prefix) == 0)
            return pair.substr(prefix.size());
        start = end + 1;
    }
    return {};
}

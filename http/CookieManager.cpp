#include "http/CookieManager.h"

#include "common/core/Text.h"
#include "http/CookieDomain.h"

#include <algorithm>
#include <mutex>

namespace {

// What browsers refuse in a cookie line: sent back in a "Cookie" header, a CR, LF or NUL
// would end or break the request's header line. A tab is fine.
bool HasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7F;
    });
}

}  // namespace

TNetscapeCookie& TCookies::Add(std::unique_ptr<TNetscapeCookie> cookie)
{
    Items.push_back(std::move(cookie));
    return *Items.back();
}

void TCookies::Remove(const TNetscapeCookie* cookie)
{
    std::erase_if(Items, [cookie](const auto& item) { return item.get() == cookie; });
}

TNetscapeCookie* TCookieList::Find(std::string_view name) const
{
    for (auto* cookie : Cookies)
        if (SameTextAscii(cookie->CookieName, name))
            return cookie;
    return nullptr;
}

void TCookieList::Remove(const TNetscapeCookie* cookie)
{
    std::erase(Cookies, cookie);
}

void TCookieManager::TakeCookies(const THeaderList& headers, const std::string& host, const std::string& path)
{
    for (const auto& value : headers.AllValues("Set-Cookie"))
        AddCookie(value, host, path, false);
    for (const auto& value : headers.AllValues("Set-Cookie2"))
        AddCookie(value, host, path, true);
}

void TCookieManager::AddCookie(std::string_view headerValue, const std::string& host, const std::string& path,
                               bool rfc2965)
{
    if (HasControlCharacter(headerValue))
        return;
    std::unique_ptr<TNetscapeCookie> cookie;
    if (rfc2965)
        cookie = std::make_unique<TCookieRFC2965>();
    else
        cookie = std::make_unique<TCookieRFC2109>();
    cookie->Parse(headerValue);
    const auto scope = CookieScopeFor(cookie->Domain, host);
    if (!scope)
        return;
    cookie->Domain = scope->Domain;
    cookie->HostOnly = scope->HostOnly;
    // Without a usable path the cookie belongs to the directory of the page that set it.
    if (cookie->Path.empty() || cookie->Path[0] != '/')
        cookie->Path = path;

    std::unique_lock lock(Lock);
    TDomainEntry& entry = DomainEntry(cookie->Domain);
    if (TNetscapeCookie* stored = entry.Cookies.Find(cookie->CookieName))
        stored->TakeOver(*cookie);
    else
        entry.Cookies.Add(&Collection.Add(std::move(cookie)));
}

TCookieManager::TDomainEntry& TCookieManager::DomainEntry(const std::string& domain)
{
    for (auto& entry : Domains)
        if (SameTextAscii(entry.Domain, domain))
            return entry;
    Domains.push_back({domain, {}});
    return Domains.back();
}

void TCookieManager::RemoveExpired()
{
    const auto now = std::chrono::system_clock::now();
    for (auto& entry : Domains) {
        const auto cookies = entry.Cookies.Items();
        for (auto cookie = cookies.rbegin(); cookie != cookies.rend(); ++cookie) {
            if ((*cookie)->IsExpired(now)) {
                entry.Cookies.Remove(*cookie);
                Collection.Remove(*cookie);
            }
        }
    }
}

std::string TCookieManager::CookieHeaderValue(const std::string& host, const std::string& path, bool secure)
{
    {
        std::unique_lock lock(Lock);
        RemoveExpired();
    }
    std::shared_lock lock(Lock);
    std::vector<const TNetscapeCookie*> taken;
    for (const auto& entry : Domains) {
        const auto& cookies = entry.Cookies.Items();
        for (auto cookie = cookies.rbegin(); cookie != cookies.rend(); ++cookie) {
            const TNetscapeCookie& c = **cookie;
            if (c.AppliesTo(host, path) && (!c.Secure || secure) && !c.Value.empty())
                taken.push_back(&c);
        }
    }
    std::stable_sort(taken.begin(), taken.end(),
                     [](const auto* a, const auto* b) { return a->Path.size() > b->Path.size(); });
    std::string value;
    for (const auto* cookie : taken) {
        if (!value.empty())
            value += "; ";
        value += cookie->CookieName + "=" + cookie->Value;
    }
    return value;
}

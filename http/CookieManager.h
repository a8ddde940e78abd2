#pragma once

#include "http/Cookie.h"
#include "http/HeaderList.h"

#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

// Every stored cookie, in the order in which it was first stored; owns the cookies.
class TCookies {
public:
    size_t Count() const { return Items.size(); }
    const TNetscapeCookie& operator[](size_t index) const { return *Items[index]; }

    TNetscapeCookie& Add(std::unique_ptr<TNetscapeCookie> cookie);
    void Remove(const TNetscapeCookie* cookie);

private:
    std::vector<std::unique_ptr<TNetscapeCookie>> Items;
};

// The cookies stored under one domain, in storage order; names compare without regard to case.
class TCookieList {
public:
    TNetscapeCookie* Find(std::string_view name) const;
    void Add(TNetscapeCookie* cookie) { Cookies.push_back(cookie); }
    void Remove(const TNetscapeCookie* cookie);
    const std::vector<TNetscapeCookie*>& Items() const { return Cookies; }

private:
    std::vector<TNetscapeCookie*> Cookies;  // borrowed from the collection
};

// The cookie store: takes the cookies of every response and gives the "Cookie" header
// value of every request. Cookies live in memory for the store's life.
class TCookieManager {
public:
    // Stores the "Set-Cookie" values, then the "Set-Cookie2" values, of a response to a
    // request for host and path (the directory of the request, e.g. "/admin/").
    void TakeCookies(const THeaderList& headers, const std::string& host, const std::string& path);

    // Stores one header value; a cookie whose domain does not fit the host (another site,
    // or a public suffix such as "com") is dropped, and so is a value with a control
    // character other than a tab, as browsers do.
    void AddCookie(std::string_view headerValue, const std::string& host, const std::string& path,
                   bool rfc2965 = false);

    // "name=value; ..." of every cookie for this host and path, longest path first; empty
    // when none applies. Expired cookies are removed first; secure ones go only over a
    // secure connection.
    std::string CookieHeaderValue(const std::string& host, const std::string& path, bool secure);

    const TCookies& CookieCollection() const { return Collection; }

private:
    struct TDomainEntry {
        std::string Domain;
        TCookieList Cookies;
    };

    TDomainEntry& DomainEntry(const std::string& domain);
    void RemoveExpired();

    TCookies Collection;
    std::vector<TDomainEntry> Domains;
    std::shared_mutex Lock;
};

#pragma once

#include <map>
#include <string>

// Name of the cookie that carries the session identifier.
extern const char* const SessionCookieName;

// The open sessions of the admin pages, by identifier. Not thread-safe; the server
// serialises its use.
class TSessionTable {
public:
    // Opens a new, not yet logged-in session and returns its identifier.
    std::string Start();
    bool Exists(const std::string& id) const;
    bool IsLoggedIn(const std::string& id) const;
    void LogIn(const std::string& id);
    void End(const std::string& id);

private:
    std::map<std::string, bool> LoggedInBySession;
};

// The session identifier in a request's "Cookie" header value, or "" when there is none.
std::string SessionIdFromCookies(const std::string& cookieHeader);

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TCookieKind { ckNetscape, ckRFC2109, ckRFC2965 };

// A stored cookie. Cookies are created as TCookieRFC2109 (from "Set-Cookie") or
// TCookieRFC2965 (from "Set-Cookie2"); the kind decides the text form.
class TNetscapeCookie {
public:
    virtual ~TNetscapeCookie() = default;

    std::string CookieName;
    std::string Value;
    std::string Path;
    std::string Domain;
    bool HostOnly = false;          // sent to the host Domain alone, not to its subdomains
    std::string Expires;            // empty = no expiry
    bool Secure = false;            // sent over https only
    std::optional<int64_t> MaxAge;  // seconds; zero or less deletes the cookie
    std::string Version;
    std::string Comment;
    TCookieKind Kind = TCookieKind::ckNetscape;
    std::string SourceText;  // the header value last parsed

    // Parses a "Set-Cookie" value; a value equal to SourceText changes nothing. When an
    // attribute repeats, the last one counts; "Max-Age" wins over "Expires".
    void Parse(std::string_view headerValue);

    // "name=value; path=...; expires=...; domain=...; secure" and the attributes of the
    // class; the form in which one cookie hands its state to another.
    std::string TextForm() const;

    // The stored cookie takes the state of a newer one of the same name and domain.
    void TakeOver(const TNetscapeCookie& newer);

    // True when Expires is set and lies before now (an unreadable date counts as past).
    bool IsExpired(std::chrono::system_clock::time_point now) const;

    // Whether the cookie goes with a request for this host and path (the directory of the
    // request): the host lies in its scope, and its path is the request's directory or one
    // above it, e.g. "/admin" or "/admin/" for "/admin/", never "/adm".
    bool AppliesTo(std::string_view host, std::string_view path) const;

protected:
    struct TAttribute {
        std::string Name;  // upper case
        std::string Value;
        bool HasValue = false;
    };
    using TAttributes = std::vector<TAttribute>;

    static const TAttribute* Find(const TAttributes& attributes, std::string_view upperName);
    virtual void ReadAttributes(const TAttributes& attributes);
    virtual void AppendClassAttributes(std::vector<std::string>& parts) const;
    virtual TCookieKind ClassKind() const { return TCookieKind::ckNetscape; }
};

class TCookieRFC2109 : public TNetscapeCookie {
protected:
    void ReadAttributes(const TAttributes& attributes) override;
    void AppendClassAttributes(std::vector<std::string>& parts) const override;
    TCookieKind ClassKind() const override { return TCookieKind::ckRFC2109; }
};

class TCookieRFC2965 : public TCookieRFC2109 {
public:
    std::string CommentURL;
    bool Discard = false;
    std::vector<int> PortList{80};

protected:
    void ReadAttributes(const TAttributes& attributes) override;
    TCookieKind ClassKind() const override { return TCookieKind::ckRFC2965; }
};

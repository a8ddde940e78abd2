// URL parsing and the resolution of a call's address and of its redirects, as the client
// does it, with the method each redirect leaves. Input, one line each:
//   GET URL | POST URL     the call
//   STATUS LOCATION        a redirect answer (302 when the line starts with no number)
//
// Besides crashes, findings are an address whose request target could break the request
// line, whose path is no folder, or that resolves to something else when its own target
// is resolved against it again.

#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"
#include "http/NetExceptions.h"
#include "http/Redirects.h"
#include "http/URI.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct TRedirect {
    int Status = 302;
    std::string_view Location;
};

TRedirect RedirectOf(std::string_view line)
{
    const auto [word, rest] = FirstWordAndRest(line);
    const bool numbered =
        word.size() == 3 && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!numbered)
        return {302, line};
    return {(word[0] - '0') * 100 + (word[1] - '0') * 10 + (word[2] - '0'), rest};
}

std::string Described(const TURI& uri)
{
    return uri.Protocol + "://" + uri.Host + ":" + uri.Port + " " + uri.Path + " " + uri.Document + " " + uri.Params;
}

void CheckResolved(const TURI& uri)
{
    const std::string described = Described(uri);
    ExpectThat(uri.Path.starts_with('/') && uri.Path.ends_with('/'), "path that is no folder", described);
    ExpectThat(uri.Document.find('/') == std::string::npos, "document with a \"/\"", described);
    const std::string target = uri.RequestTarget();
    ExpectThat(std::none_of(target.begin(), target.end(),
                            [](char c) {
                                return static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F;
                            }),
               "request target with a blank, control or non-ASCII byte", target);
    // The target as the request sends it, before encoding, names the same page again. (Its
    // parts may be split anew: without a "?", the query starts at the first "=".)
    const TURI again = ResolveURL(uri, uri.Path + uri.Document + uri.Params);
    ExpectThat(again.RequestTarget() == target, "address that resolves to another one against itself",
               described + " -> " + Described(again));
}

void FollowRedirects(const std::vector<std::string_view>& lines)
{
    const auto [methodWord, url] = FirstWordAndRest(lines.front());
    THTTPMethod method = methodWord == "POST" ? THTTPMethod::hmPost : THTTPMethod::hmGet;
    TURI current = ResolveURL(TURI{}, methodWord == "GET" || methodWord == "POST" ? url : lines.front());
    CheckResolved(current);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const TRedirect redirect = RedirectOf(lines[i]);
        const TURI next = ResolveURL(current, redirect.Location);
        method = RedirectMethod(redirect.Status, method, current, next, std::string(redirect.Location));
        current = next;
        CheckResolved(current);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> lines = SplitAt(InputText(data, size), "\n");
    for (const std::string_view line : lines)
        ParseURL(line);
    try {
        FollowRedirects(lines);
    } catch (const EUnknownProtocol&) {
    } catch (const ERedirectRefused&) {
    }
    return 0;
}

// The cookie store and its date reader: the header blocks of several responses, each from
// a host and for a path of its own, go into one store, and after each one the "Cookie"
// header is built for that host and path, over plain and over secure connections. Input:
//   @ HOST PATH          a response from HOST to a request in the folder PATH
//   Set-Cookie: ...      its header lines (any header, continuation lines included)
// Lines before the first "@" belong to a response from "a.site.test" for "/admin/".
//
// Besides crashes, findings are a "Cookie" value that a CR, LF or NUL would break, and a
// date that the store writes (for a Max-Age) and cannot read back as the same moment.

#include "common/core/IntegerText.h"
#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"
#include "http/CookieManager.h"
#include "http/HeaderList.h"
#include "http/InternetDate.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

namespace {

using namespace std::chrono;

struct TResponse {
    std::string Host = "a.site.test";
    std::string Path = "/admin/";
    THeaderList Headers;
};

void CheckCookieHeader(const std::string& value)
{
    ExpectThat(std::none_of(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }),
               "\"Cookie\" value that breaks its header line", value);
}

void TakeAndSend(TCookieManager& store, const TResponse& response)
{
    try {
        store.TakeCookies(response.Headers, response.Host, response.Path);
    } catch (const EConvertError&) {
        // A "Set-Cookie2" port list item that is no integer.
    }
    CheckCookieHeader(store.CookieHeaderValue(response.Host, response.Path, false));
    CheckCookieHeader(store.CookieHeaderValue(response.Host, response.Path, true));
}

// The store writes the expiry of a Max-Age, between now and 400 days ahead, and reads it
// back before every request; any moment the system clock can hold must survive that.
void CheckDateRoundTrip(std::string_view text)
{
    const auto date = ReadInternetDate(text);
    if (!date)
        return;
    const year_month_day day{floor<days>(*date)};
    if (day.year() < year(1700) || day.year() > year(2200))
        return;
    const std::string written = FormatLocalInternetDate(*date);
    ExpectThat(ReadInternetDate(written) == date, "date that does not read back as written", written);
}

// "@ HOST PATH"; the client's request folder always begins and ends with "/".
TResponse ResponseOf(std::string_view line)
{
    const auto [host, path] = FirstWordAndRest(line.substr(2));
    TResponse response;
    response.Host = std::string(host);
    response.Path = path.empty() ? "/" : std::string(path);
    return response;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TCookieManager store;
    TResponse response;
    for (const std::string_view line : SplitAt(InputText(data, size), "\n")) {
        CheckDateRoundTrip(line);
        if (line.starts_with("@ ")) {
            TakeAndSend(store, response);
            response = ResponseOf(line);
        } else {
            response.Headers.Add(std::string(line));
        }
    }
    TakeAndSend(store, response);
    return 0;
}

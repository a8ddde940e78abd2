#include "http/Redirects.h"

#include "common/core/Text.h"
#include "http/NetExceptions.h"

namespace {

// The same host and port; moving up from http on port 80 to https on port 443 of the same
// host stays on the site too.
bool IsSameSite(const TURI& from, const TURI& to)
{
    if (!SameTextAscii(from.Host, to.Host))
        return false;
    return from.Port == to.Port || (!from.IsSecure() && from.Port == "80" && to.IsSecure() && to.Port == "443");
}

}  // namespace

TResponseKind ClassifyResponse(const THTTPResponse& response)
{
    const int code = response.ResponseCode;
    if (code >= 300 && code <= 399 && code != 304)
        return TResponseKind::rkRedirect;
    if (code >= 200 && code <= 299)
        return TResponseKind::rkSuccess;
    return TResponseKind::rkError;
}

THTTPMethod RedirectMethod(int statusCode, THTTPMethod method, const TURI& from, const TURI& to,
                           const std::string& location, TFoundAfterPost found)
{
    if (from.IsSecure() && !to.IsSecure())
        throw ERedirectRefused("Refusing to follow a redirect from https to http: " + location);
    if (statusCode == 303 || (statusCode == 302 && found == TFoundAfterPost::Get))
        return THTTPMethod::hmGet;
    if (method == THTTPMethod::hmGet || IsSameSite(from, to))
        return method;
    if (statusCode == 307 || statusCode == 308)
        throw ERedirectRefused("Refusing to post the form again to another site: " + location);
    return THTTPMethod::hmGet;
}

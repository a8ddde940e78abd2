#include "http/Redirects.h"

TResponseKind ClassifyResponse(const THTTPResponse& response)
{
    const int code = response.ResponseCode;
    if ((code >= 300 && code <= 399 && code != 304) || !response.Location.empty())
        return TResponseKind::rkRedirect;
    if (code >= 200 && code <= 299)
        return TResponseKind::rkSuccess;
    return TResponseKind::rkError;
}

THTTPMethod RedirectMethod(int statusCode, THTTPMethod method)
{
    return statusCode == 303 ? THTTPMethod::hmGet : method;
}

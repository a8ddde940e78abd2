#pragma once

#include "http/HTTPRequest.h"
#include "http/HTTPResponse.h"

enum class TResponseKind { rkRedirect, rkSuccess, rkError };

// A redirect is any 3xx but 304, and any response with a "Location" (a 200 included);
// 2xx is success; everything else, 304 and statuses without a number included, an error.
TResponseKind ClassifyResponse(const THTTPResponse& response);

// The method of the request that follows a redirect: 303 See Other asks for the new page
// with a GET (posting the form there again could create a category twice); 301, 302 and
// 307 keep the method, so a post is posted again.
THTTPMethod RedirectMethod(int statusCode, THTTPMethod method);

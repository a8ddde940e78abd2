#pragma once

#include "http/HTTPRequest.h"
#include "http/HTTPResponse.h"
#include "http/URI.h"

#include <string>

enum class TResponseKind { rkRedirect, rkSuccess, rkError };

// How a post follows a 302 Found within its site: posted again to the new address, or, for a
// login form, fetched from there with a GET, as browsers do, so that the password goes out
// once.
enum class TFoundAfterPost { Repost, Get };

// A redirect is any 3xx but 304 (a "Location" on any other answer means nothing); 2xx is
// success; everything else, 304 and statuses without a number included, an error.
TResponseKind ClassifyResponse(const THTTPResponse& response);

// The method of the request that follows a redirect from one address to another (the
// "Location" value as received is location). Within one site 303 See Other asks for the new
// page with a GET (posting the form there again could create a category twice), 302 Found
// does so as `found` says, and 301, 307 and 308 keep the method, so a post is posted again.
// A form never goes to another site: 301, 302 and 303 there become a GET without a body, and
// 307 and 308, which demand the same method, raise ERedirectRefused, as does any step down
// from https to http.
THTTPMethod RedirectMethod(int statusCode, THTTPMethod method, const TURI& from, const TURI& to,
                           const std::string& location, TFoundAfterPost found = TFoundAfterPost::Repost);

#pragma once

#include <string>
#include <vector>

// The requests a feed run sends: fetch a page, post "name=value" lines. They follow
// redirects and return the final body; an HTTP error status or a network failure is thrown.
class TPageTransport {
public:
    virtual ~TPageTransport() = default;

    virtual std::string Get(const std::string& url) = 0;
    // The lines may be changed in place (encoded) by the post.
    virtual std::string Post(const std::string& url, std::vector<std::string>& fields) = 0;
    // The post of the login form: a 302 or 303 in answer is followed with a GET, as a browser
    // does, so the credentials go out once.
    virtual std::string PostLogin(const std::string& url, std::vector<std::string>& fields) = 0;

    // The last request of a run (the logout). A stop request must not end it, as it closes
    // the session that a stopped run leaves open; transports whose waits a stop request ends
    // send it without one, and with bounded waits, so that it cannot hang a run that ends.
    virtual std::string GetClosing(const std::string& url) { return Get(url); }
};

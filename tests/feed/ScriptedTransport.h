#pragma once

#include "feed/PageTransport.h"

#include <functional>
#include <string>
#include <vector>

struct TSentRequest {
    std::string Method;
    std::string Url;
    std::vector<std::string> Fields;
};

// Answers every request with the page its responder gives, and remembers what was sent.
class TScriptedTransport : public TPageTransport {
public:
    using TResponder = std::function<std::string(const TSentRequest&)>;

    explicit TScriptedTransport(TResponder responder) : Responder(std::move(responder)) {}

    std::string Get(const std::string& url) override { return Answer({"GET", url, {}}); }
    std::string Post(const std::string& url, std::vector<std::string>& fields) override
    {
        return Answer({"POST", url, fields});
    }
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override
    {
        return Post(url, fields);
    }

    std::vector<TSentRequest> Sent;

private:
    std::string Answer(TSentRequest request)
    {
        Sent.push_back(request);
        return Responder(Sent.back());
    }

    TResponder Responder;
};

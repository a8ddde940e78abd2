#pragma once

#include "feed/PageTransport.h"

#include "ScriptedTransport.h"

#include <vector>

// Passes every request on and remembers it, with the form lines as they were before the
// client encoded them.
class TRecordingTransport : public TPageTransport {
public:
    explicit TRecordingTransport(TPageTransport& next) : Next(next) {}

    std::string Get(const std::string& url) override
    {
        Sent.push_back({"GET", url, {}});
        return Next.Get(url);
    }
    std::string Post(const std::string& url, std::vector<std::string>& fields) override
    {
        Sent.push_back({"POST", url, fields});
        return Next.Post(url, fields);
    }
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override
    {
        Sent.push_back({"POST", url, fields});
        return Next.PostLogin(url, fields);
    }

    std::vector<TSentRequest> Sent;

private:
    TPageTransport& Next;
};

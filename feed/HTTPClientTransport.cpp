#include "feed/HTTPClientTransport.h"

#include "http/HTTPClient.h"

namespace {

int Bounded(int timeoutMs, int limitMs)
{
    return timeoutMs <= 0 || timeoutMs > limitMs ? limitMs : timeoutMs;
}

}  // namespace

THTTPClientTransport::THTTPClientTransport(THTTPClient& client, const TStopRequest* stop) : Client(client), Stop(stop)
{
    Client.SetStopRequest(Stop);
}

THTTPClientTransport::~THTTPClientTransport()
{
    Client.SetStopRequest(nullptr);
}

std::string THTTPClientTransport::Get(const std::string& url)
{
    Client.HandleRedirects = true;
    return Client.GetPage(url);
}

std::string THTTPClientTransport::Post(const std::string& url, std::vector<std::string>& fields)
{
    Client.HandleRedirects = true;
    return Client.PostForm(url, fields);
}

std::string THTTPClientTransport::PostLogin(const std::string& url, std::vector<std::string>& fields)
{
    Client.HandleRedirects = true;
    return Client.PostForm(url, fields, TFoundAfterPost::Get);
}

std::string THTTPClientTransport::GetClosing(const std::string& url)
{
    struct TClosingScope {
        THTTPClientTransport& Transport;
        const int ReadTimeout = Transport.Client.ReadTimeout;
        const int ConnectTimeout = Transport.Client.ConnectTimeout;

        explicit TClosingScope(THTTPClientTransport& transport) : Transport(transport)
        {
            const int limit = static_cast<int>(ClosingWaitLimit.count());
            Transport.Client.SetStopRequest(nullptr);
            Transport.Client.ReadTimeout = Bounded(ReadTimeout, limit);
            Transport.Client.ConnectTimeout = Bounded(ConnectTimeout, limit);
        }
        ~TClosingScope()
        {
            Transport.Client.ReadTimeout = ReadTimeout;
            Transport.Client.ConnectTimeout = ConnectTimeout;
            Transport.Client.SetStopRequest(Transport.Stop);
        }
    } scope(*this);
    return Get(url);
}

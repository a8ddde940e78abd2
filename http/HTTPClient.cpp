#include "http/HTTPClient.h"

#include "common/core/Text.h"
#include "http/BodyReader.h"
#include "http/CookieManager.h"
#include "http/FormEncoding.h"
#include "http/NetExceptions.h"
#include "http/Redirects.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr size_t SendBlockSize = 32768;
constexpr int RedirectBodyTimeoutMs = 4000;
constexpr int ErrorBodyTimeoutMs = 2000;

bool IsBasicChallenge(const std::string& challenge)
{
    return SameTextAscii(std::string_view(challenge).substr(0, challenge.find(' ')), "Basic");
}

// Marks the client busy for one call and refuses a second one meanwhile.
class TBusyGuard {
public:
    explicit TBusyGuard(bool& busy) : Busy(busy)
    {
        if (Busy)
            throw EClientBusy();
        Busy = true;
    }
    ~TBusyGuard() { Busy = false; }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    bool& Busy;
};

}  // namespace

std::string THTTPClient::GetPage(const std::string& URL)
{
    const TBusyGuard busy(Busy);
    return DoRequest(THTTPMethod::hmGet, URL, nullptr, TFoundAfterPost::Repost);
}

std::string THTTPClient::PostForm(const std::string& URL, std::vector<std::string>& Fields, TFoundAfterPost found)
{
    const TBusyGuard busy(Busy);
    if (HTTPOptions.hoForceEncodeParams)
        EncodeFormValues(Fields);
    if (HTTPRequest.ContentType.empty() || SameTextAscii(HTTPRequest.ContentType, "text/html"))
        HTTPRequest.ContentType = "application/x-www-form-urlencoded";
    const std::string body = FormBody(Fields);
    return DoRequest(THTTPMethod::hmPost, URL, &body, found);
}

std::string THTTPClient::DoRequest(THTTPMethod method, const std::string& url, const std::string* body,
                                   TFoundAfterPost found)
{
    const bool http10 = method == THTTPMethod::hmPost ? !HTTPOptions.hoKeepOrigProtocol || ProtocolVersion == pv1_0
                                                      : ProtocolVersion == pv1_0;
    // A post always starts on a new connection.
    if (method == THTTPMethod::hmPost)
        Connection.Disconnect();
    const TTCPConnection::TReadTimeoutScope callTimeout(Connection, ReadTimeout);
    try {
        TURI next = ResolveURL(URI, url);
        for (int redirectCount = 1;; ++redirectCount) {
            PrepareRequest(std::move(next), method, body);
            ChooseConnection(http10);
            SendRequest(http10 ? pv1_0 : pv1_1, body);
            ReadResponseHeaders();
            TResponseOutcome outcome = HandleResponse(method, redirectCount, found);
            if (auto* page = std::get_if<std::string>(&outcome)) {
                CloseUnlessReusable(http10);
                return std::move(*page);
            }
            auto& redirect = std::get<TRedirectStep>(outcome);
            next = std::move(redirect.Target);
            method = redirect.Method;
            if (method == THTTPMethod::hmGet)
                body = nullptr;
        }
    } catch (const EHTTPProtocolException&) {
        CloseUnlessReusable(http10);
        throw;
    } catch (...) {
        // Whatever was left unread would be taken for the next response.
        Connection.Disconnect();
        throw;
    }
}

// Decides what the final response of a request means for the call.
THTTPClient::TResponseOutcome THTTPClient::HandleResponse(THTTPMethod method, int redirectCount, TFoundAfterPost found)
{
    switch (ClassifyResponse(HTTPResponse)) {
    case TResponseKind::rkSuccess: return ReadSuccessBody();
    case TResponseKind::rkError: RaiseProtocolError();
    case TResponseKind::rkRedirect: break;
    }
    if (!HandleRedirects || HTTPResponse.Location.empty())
        RaiseProtocolError();
    DropBody();
    if (redirectCount >= RedirectMaximum)
        throw ETooManyRedirects();
    TURI target = ResolveURL(URI, HTTPResponse.Location);
    const THTTPMethod next =
        RedirectMethod(HTTPResponse.ResponseCode, method, URI, target, HTTPResponse.Location, found);
    return TRedirectStep{std::move(target), next};
}

void THTTPClient::PrepareRequest(TURI target, THTTPMethod method, const std::string* body)
{
    URI = std::move(target);
    HTTPRequest.Method = method;
    HTTPRequest.Target = URI.RequestTarget();
    HTTPRequest.Host = URI.HostField();
    HTTPRequest.ContentLength = body ? static_cast<int64_t>(body->size()) : -1;
}

void THTTPClient::ChooseConnection(bool http10)
{
    if (Connection.Connected()) {
        if (!SameTextAscii(Connection.Host(), URI.Host) || Connection.Port() != URI.Port ||
            Connection.Encrypted() != URI.IsSecure() || !HTTPResponse.AllowsKeepAlive(http10))
            Connection.Disconnect();
        else
            Connection.CloseIfClosedByPeer();
    }
    if (!Connection.Connected())
        Connection.Connect(URI.Host, URI.Port, URI.IsSecure(), ConnectTimeout);
}

void THTTPClient::SendRequest(TProtocolVersion version, const std::string* body)
{
    if (version == pv1_0 && HTTPRequest.Connection.empty())
        HTTPRequest.Connection = "keep-alive";
    HTTPRequest.ComposeHeaders(CookieManager ? CookieManager->CookieHeaderValue(URI.Host, URI.Path, URI.IsSecure())
                                             : "");
    Connection.Write(HTTPRequest.HeaderText(version));
    if (!body)
        return;
    for (size_t offset = 0; offset < body->size(); offset += SendBlockSize)
        Connection.Write(std::string_view(*body).substr(offset, SendBlockSize));
}

void THTTPClient::ReadResponseHeaders()
{
    ReadHeaderBlock();
    // A server could send interim answers for ever, each one in time; the final one has
    // to come within the read timeout of the first.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReadTimeout);
    while (HTTPResponse.ResponseCode == 100) {
        if (ReadTimeout > 0 && std::chrono::steady_clock::now() >= deadline)
            throw EReadTimeout();
        ReadHeaderBlock();
    }
}

void THTTPClient::ReadHeaderBlock()
{
    HeaderBlockCut = false;
    auto statusLine = Connection.ReadLn(HTTPMaxLineLength);
    if (!statusLine)
        throw EConnClosedGracefully();
    // Only a new status line replaces the last response received.
    HTTPResponse.Clear();
    HTTPResponse.SetStatusLine(std::move(*statusLine));
    for (;;) {
        auto line = Connection.ReadLn(HTTPMaxLineLength);
        if (!line) {
            HeaderBlockCut = true;
            break;
        }
        if (line->empty())
            break;
        HTTPResponse.RawHeaders.Add(std::move(*line));
    }
    HTTPResponse.ProcessHeaders();
    if (CookieManager)
        CookieManager->TakeCookies(HTTPResponse.RawHeaders, URI.Host, URI.Path);
}

std::string THTTPClient::ReadSuccessBody()
{
    if (HeaderBlockCut)
        throw ENetException("Undefined situation");
    std::string body;
    if (!HTTPResponse.StatusForbidsBody())
        ReadResponseBody(Connection, HTTPResponse, &body);
    return body;
}

void THTTPClient::DropBody()
{
    if (HeaderBlockCut || HTTPResponse.StatusForbidsBody())
        return;
    const TTCPConnection::TReadTimeoutScope redirectBodyTimeout(Connection, RedirectBodyTimeoutMs);
    try {
        ReadResponseBody(Connection, HTTPResponse, nullptr);
    } catch (const ENetException&) {
        // The redirect is followed anyway; only this connection is not fit for it.
        Connection.Disconnect();
    }
}

void THTTPClient::RaiseProtocolError()
{
    NoteAuthenticationChallenge();
    std::string body;
    if (!HeaderBlockCut && !HTTPResponse.StatusForbidsBody()) {
        const TTCPConnection::TReadTimeoutScope errorBodyTimeout(Connection, ErrorBodyTimeoutMs);
        try {
            ReadResponseBody(Connection, HTTPResponse, &body);
        } catch (const EReadTimeout&) {
            throw EReadTimeout::OfErrorBody();
        }
    }
    // After an interim status the final answer to this request is still to come, and after a
    // line that is no status line nothing on the connection can be trusted: on a reused
    // connection it would be taken for the answer to the next request.
    if (HTTPResponse.ResponseCode < 200)
        Connection.Disconnect();
    throw EHTTPProtocolException(HTTPResponse.ResponseCode, HTTPResponse.ResponseText, std::move(body));
}

void THTTPClient::NoteAuthenticationChallenge()
{
    const auto& headers = HTTPResponse.RawHeaders;
    if (HTTPResponse.ResponseCode == 401) {
        const auto challenges = headers.AllValues("WWW-Authenticate");
        if (std::any_of(challenges.begin(), challenges.end(), IsBasicChallenge))
            HTTPRequest.BasicAuthentication = true;
    } else if (HTTPResponse.ResponseCode == 407) {
        const auto challenges = headers.AllValues("Proxy-Authenticate");
        if (!challenges.empty() && IsBasicChallenge(challenges.front()))
            HTTPRequest.ProxyBasicAuthentication = true;
    }
}

void THTTPClient::CloseUnlessReusable(bool http10)
{
    if (!Connection.Connected() || !HTTPResponse.AllowsKeepAlive(http10))
        Connection.Disconnect();
}

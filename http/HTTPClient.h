#pragma once

#include "common/core/ProcessMessages.h"
#include "http/HTTPRequest.h"
#include "http/HTTPResponse.h"
#include "http/NetExceptions.h"
#include "http/Redirects.h"
#include "http/TCPConnection.h"
#include "http/URI.h"

#include <string>
#include <variant>
#include <vector>

class TCookieManager;

// hoKeepOrigProtocol: a post keeps the client's protocol version instead of HTTP/1.0.
// hoForceEncodeParams: the values of a posted form are percent-encoded.
struct THTTPOptions {
    bool hoKeepOrigProtocol = false;
    bool hoForceEncodeParams = true;
};

// Blocking HTTP client: GET of a page and POST of a form over plain TCP or TLS (for https
// addresses), with connection reuse, redirects and cookies.
class THTTPClient {
public:
    THTTPClient() = default;
    THTTPClient(const THTTPClient&) = delete;
    THTTPClient& operator=(const THTTPClient&) = delete;

    bool HandleRedirects = false;
    int RedirectMaximum = 15;
    TProtocolVersion ProtocolVersion = pv1_1;
    THTTPOptions HTTPOptions;
    // Milliseconds a read may wait without receiving anything; 0 = no limit.
    int ReadTimeout = 60000;
    int ConnectTimeout = 120000;  // milliseconds

    // The body of the final response, byte for byte.
    std::string GetPage(const std::string& URL);
    // Posts the "name=value" lines as a form; the list keeps its encoded values afterwards.
    // `found` tells how a 302 Found within the site is followed (see RedirectMethod).
    std::string PostForm(const std::string& URL, std::vector<std::string>& Fields,
                         TFoundAfterPost found = TFoundAfterPost::Repost);

    // Borrowed: the store outlives the client's calls.
    void SetCookieManager(TCookieManager* cookieManager) { CookieManager = cookieManager; }
    void SetProcessMessages(TProcessMessages processMessages) { Connection.SetProcessMessages(std::move(processMessages)); }
    // Borrowed: every wait of a call checks it and ends with EStopRequested once it is set.
    void SetStopRequest(const TStopRequest* stop) { Connection.SetStopRequest(stop); }

    THTTPRequest& Request() { return HTTPRequest; }
    const THTTPResponse& Response() const { return HTTPResponse; }
    const TURI& URL() const { return URI; }

private:
    // Where a followed redirect sends the call next, and with which method.
    struct TRedirectStep {
        TURI Target;
        THTTPMethod Method;
    };
    // What a final response leaves the call to do: end with this body, or follow the redirect.
    using TResponseOutcome = std::variant<std::string, TRedirectStep>;

    std::string DoRequest(THTTPMethod method, const std::string& url, const std::string* body, TFoundAfterPost found);
    TResponseOutcome HandleResponse(THTTPMethod method, int redirectCount, TFoundAfterPost found);
    void PrepareRequest(TURI target, THTTPMethod method, const std::string* body);
    void ChooseConnection(bool http10);
    void SendRequest(TProtocolVersion version, const std::string* body);
    void ReadResponseHeaders();
    void ReadHeaderBlock();
    void DropBody();
    std::string ReadSuccessBody();
    [[noreturn]] void RaiseProtocolError();
    void NoteAuthenticationChallenge();
    void CloseUnlessReusable(bool http10);

    THTTPRequest HTTPRequest;
    THTTPResponse HTTPResponse;
    TURI URI;
    TTCPConnection Connection;
    TCookieManager* CookieManager = nullptr;
    bool HeaderBlockCut = false;  // the server closed the connection inside the header block
    bool Busy = false;            // a call is running; the window may try to start another one while it waits
};

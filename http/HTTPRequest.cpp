#include "http/HTTPRequest.h"

#include "http/Base64.h"

namespace {
// The client has no credentials, so a "Basic" answer carries an empty user and password.
std::string EmptyBasicCredentials()
{
    return "Basic " + Base64Encode(":");
}
}  // namespace

void THTTPRequest::ComposeHeaders(const std::string& cookieValue)
{
    RawHeaders.Clear();
    RawHeaders.SetValue("Connection", Connection);
    RawHeaders.SetValue("Content-Type", ContentType);
    if (ContentLength >= 0)
        RawHeaders.SetValue("Content-Length", std::to_string(ContentLength));
    RawHeaders.SetValue("Host", Host);
    RawHeaders.SetValue("Accept", Accept);
    RawHeaders.SetValue("User-Agent", UserAgent);
    if (BasicAuthentication)
        RawHeaders.SetValue("Authorization", EmptyBasicCredentials());
    if (ProxyBasicAuthentication)
        RawHeaders.SetValue("Proxy-Authorization", EmptyBasicCredentials());
    RawHeaders.SetUnfoldedValue("Cookie", cookieValue);
}

std::string THTTPRequest::HeaderText(TProtocolVersion version) const
{
    std::string text = Method == THTTPMethod::hmPost ? "POST " : "GET ";
    text += Target;
    text += version == pv1_0 ? " HTTP/1.0\r\n" : " HTTP/1.1\r\n";
    text += RawHeaders.Text();
    text += "\r\n";
    return text;
}

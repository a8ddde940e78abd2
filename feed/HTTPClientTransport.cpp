#include "feed/HTTPClientTransport.h"

#include "http/HTTPClient.h"

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

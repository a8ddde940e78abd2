#include "feed/AdminSession.h"

#include "common/core/StopRequest.h"

#include <utility>

TAdminSession::TAdminSession(TPageTransport& transport, TAdminAddresses addresses, const TStopRequest* stop)
    : Transport(transport), Site(std::move(addresses)), Stop(stop)
{
}

void TAdminSession::SendRequest(const std::string& url)
{
    if (Stop)
        Stop->ThrowIfRequested();
    Page = Transport.Get(url);
}

void TAdminSession::SendRequest(const std::string& url, TFormFields& fields)
{
    if (Stop)
        Stop->ThrowIfRequested();
    Page = Transport.Post(url, fields.Lines());
}

bool TAdminSession::Login(const std::string& username, const std::string& password)
{
    SendRequest(Site.Index);
    Fields.Clear();
    Fields.SetValue("user", username);
    Fields.SetValue("pass", password);
    Fields.SetValue("submit", "Login");
    SendRequest(Site.Login, Fields);
    return Page.find("logout.php") != std::string::npos;
}

void TAdminSession::Logout()
{
    Page = Transport.GetClosing(Site.Logout);
}

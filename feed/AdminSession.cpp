#include "feed/AdminSession.h"

#include "common/core/StopRequest.h"
#include "feed/PageDump.h"

#include <utility>

TAdminSession::TAdminSession(TPageTransport& transport, TAdminAddresses addresses, const TStopRequest* stop)
    : Transport(transport), Site(std::move(addresses)), Stop(stop)
{
}

void TAdminSession::SendRequest(const std::string& url)
{
    if (Stop)
        Stop->ThrowIfRequested();
    TakePage(Transport.Get(url));
}

void TAdminSession::SendRequest(const std::string& url, TFormFields& fields)
{
    if (Stop)
        Stop->ThrowIfRequested();
    TakePage(Transport.Post(url, fields.Lines()));
}

// A browser follows the site's redirect after a login with a GET; posting the form again
// would send the password a second time.
bool TAdminSession::Login(const std::string& username, const std::string& password)
{
    SendRequest(Site.Index);
    Fields.Clear();
    Fields.SetValue("user", username);
    Fields.SetValue("pass", password);
    Fields.SetValue("submit", "Login");
    if (Stop)
        Stop->ThrowIfRequested();
    TakePage(Transport.PostLogin(Site.Login, Fields.Lines()));
    return Page.find("logout.php") != std::string::npos;
}

void TAdminSession::Logout()
{
    TakePage(Transport.GetClosing(Site.Logout));
}

const TSitePage& TAdminSession::ReadPage()
{
    if (!PageReadIsCurrent) {
        PageRead.Read(Page);
        PageReadIsCurrent = true;
        FullFormPages = FullFormPages || PageRead.IsFullFormPage();
    }
    return PageRead;
}

void TAdminSession::DumpPageOfLookup(std::string_view name)
{
    if (name.empty() || PageDumped)
        return;
    WritePageDump(Page);
    PageDumped = true;
}

void TAdminSession::TakePage(std::string page)
{
    PageReadIsCurrent = false;
    Page = std::move(page);
    PageDumped = false;
}

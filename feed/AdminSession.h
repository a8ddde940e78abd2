#pragma once

#include "feed/AdminAddresses.h"
#include "feed/FormFields.h"
#include "feed/PageTransport.h"
#include "feed/SitePage.h"

#include <optional>
#include <string>
#include <string_view>

class TStopRequest;

// One feed run's conversation with the admin pages: every request goes through SendRequest,
// whose answer becomes the current page that all tests and lookups read. A failed request
// leaves the current page as it was.
class TAdminSession {
public:
    // A requested stop ends the run before the next request (see Logout for the exception).
    TAdminSession(TPageTransport& transport, TAdminAddresses addresses, const TStopRequest* stop = nullptr);

    void SendRequest(const std::string& url);
    void SendRequest(const std::string& url, TFormFields& fields);

    // Opens the index page (for the session cookie), then posts the credentials. True when
    // the answer offers "logout.php", the site's sign of a logged-in administrator.
    bool Login(const std::string& username, const std::string& password);
    // Goes out even when a stop was requested: it ends the session that the stop leaves
    // behind. It is sent as the transport's closing request, whose waits are bounded.
    void Logout();

    const std::string& CurrentPage() const { return Page; }
    // The current page read, once per page however often it is asked.
    const TSitePage& ReadPage();
    // True once a page read showed the site to write full form pages (TSitePage::IsFullFormPage).
    bool MetFullFormPages() const { return FullFormPages; }
    // What every lookup of an identifier does first: the page it looks in goes to the dump
    // ("html") when the lookup has a name. A page already dumped is not written again.
    void DumpPageOfLookup(std::string_view name);

    TFormFields& FormFields() { return Fields; }
    const TAdminAddresses& Addresses() const { return Site; }

private:
    void TakePage(std::string page);

    TPageTransport& Transport;
    const TAdminAddresses Site;
    const TStopRequest* Stop;
    TFormFields Fields;
    std::string Page;
    // Read again for every page, keeping its memory from page to page.
    TSitePage PageRead;
    bool PageReadIsCurrent = false;
    bool PageDumped = false;
    bool FullFormPages = false;
};

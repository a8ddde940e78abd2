#pragma once

#include "feed/AdminAddresses.h"
#include "feed/FormFields.h"
#include "feed/PageTransport.h"

#include <string>

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
    TFormFields& FormFields() { return Fields; }
    const TAdminAddresses& Addresses() const { return Site; }

private:
    TPageTransport& Transport;
    const TAdminAddresses Site;
    const TStopRequest* Stop;
    TFormFields Fields;
    std::string Page;
};

#pragma once

#include "tools/site/CategoryForm.h"
#include "tools/site/CategoryStore.h"
#include "tools/site/Directory.h"
#include "tools/site/LegacyFormPage.h"
#include "tools/site/SessionTable.h"
#include "tools/site/SiteCertificate.h"
#include "tools/site/SiteOptions.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

// Could not listen on the requested port.
class ESiteListen : public Exception {
public:
    using Exception::Exception;
};

// The stand-in directory site: the admin pages a feed drives, rendered and checked as a real
// installation of the directory script does (or as the legacy pages), the public tree, and
// the misbehaviours switched on by the options. Listens on 127.0.0.1 only, over HTTP or HTTPS.
class TSiteServer {
public:
    explicit TSiteServer(TSiteOptions options);
    ~TSiteServer();
    TSiteServer(const TSiteServer&) = delete;
    TSiteServer& operator=(const TSiteServer&) = delete;

    // Binds the listening socket; returns the port (the chosen one when the option was 0).
    int Bind();
    // "http://127.0.0.1:<port>/" or "https://..."
    std::string Url(int port) const;
    // The certificate file a client is to trust; empty without TLS.
    std::string CertificateFile() const;
    // Serves until Stop; returns false when serving failed.
    bool Serve();
    // Both safe from another thread.
    bool IsRunning() const;
    void Stop();

private:
    void Route();
    bool AnswerFailingPage(const httplib::Request& request, httplib::Response& response);
    void Answer(httplib::Response& response, int status, std::string html) const;
    void Redirect(httplib::Response& response, const std::string& location) const;

    // The request's session; a new one (with its cookie) when the request has none.
    std::string SessionOf(const httplib::Request& request, httplib::Response& response);

    void PublicPage(httplib::Response& response);
    void IndexPage(const httplib::Request& request, httplib::Response& response);
    void LoginAnswer(const httplib::Request& request, httplib::Response& response);
    void LogoutPage(const httplib::Request& request, httplib::Response& response);
    void CategoryForm(const httplib::Request& request, httplib::Response& response);

    // The answers to a post to a category form (SiteServerForms.cpp).
    std::string RealSitePost(const httplib::Request& request, const std::string& session, TCategoryForm form);
    std::string LegacyPost(const httplib::Request& request, TCategoryForm form);
    TFormOutcome LegacyCreate(const httplib::Request& request, TCategoryForm form);

    // Stores the category in the database and the directory; returns its new identifier.
    TCategoryId Insert(TSiteCategory category);
    void CountFormFetch();
    // The categories a form page lists now.
    std::vector<TListedCategory> FormListing() const;

    TSiteOptions Options;
    std::unique_ptr<TSiteCertificate> Certificate;  // only with TLS
    std::unique_ptr<httplib::Server> Server;
    // Guards everything below: the server answers on several threads.
    std::mutex StateLock;
    TCategoryStore Store;
    TDirectory Directory;  // what Store holds, ready for the pages
    TSessionTable Sessions;
    // New categories still left out of the listing -> form fetches until they show.
    std::map<TCategoryId, int> HiddenForGets;
};

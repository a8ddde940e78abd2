#include "tools/site/SiteServer.h"

#include "tools/site/HtmlPages.h"

#include <httplib.h>

#include <iostream>
#include <map>

namespace {

const char* const HtmlType = "text/html; charset=utf-8";
const char* const ListenAddress = "127.0.0.1";

std::unique_ptr<httplib::Server> MakeServer(const TSiteCertificate* certificate)
{
    if (!certificate)
        return std::make_unique<httplib::Server>();
    auto server = std::make_unique<httplib::SSLServer>(certificate->Certificate().Certificate.get(),
                                                       certificate->Certificate().Key.get());
    if (!server->is_valid())
        throw ECertificate("The certificate cannot serve HTTPS");
    return server;
}

std::string ReasonOf(int status)
{
    static const std::map<int, const char*> reasons = {{200, "OK"},
                                                       {301, "Moved Permanently"},
                                                       {302, "Found"},
                                                       {303, "See Other"},
                                                       {304, "Not Modified"},
                                                       {307, "Temporary Redirect"},
                                                       {400, "Bad Request"},
                                                       {401, "Unauthorized"},
                                                       {403, "Forbidden"},
                                                       {404, "Not Found"},
                                                       {405, "Method Not Allowed"},
                                                       {413, "Payload Too Large"},
                                                       {500, "Internal Server Error"},
                                                       {502, "Bad Gateway"},
                                                       {503, "Service Unavailable"}};
    const auto reason = reasons.find(status);
    return reason == reasons.end() ? "Error" : reason->second;
}

}  // namespace

TSiteServer::TSiteServer(TSiteOptions options)
    : Options(std::move(options)), Certificate(Options.Tls ? std::make_unique<TSiteCertificate>(Options) : nullptr),
      Server(MakeServer(Certificate.get())), Store(Options.DatabaseFile),
      Directory(Store.All(), Options.LegacyPages ? TSiblingOrder::Oldest : TSiblingOrder::ByTitle)
{
    Route();
}

TSiteServer::~TSiteServer() = default;

int TSiteServer::Bind()
{
    const int port = Options.Port == 0 ? Server->bind_to_any_port(ListenAddress)
                                       : (Server->bind_to_port(ListenAddress, Options.Port) ? Options.Port : -1);
    if (port <= 0)
        throw ESiteListen("Cannot listen on " + std::string(ListenAddress) + ":" + std::to_string(Options.Port));
    return port;
}

std::string TSiteServer::Url(int port) const
{
    return std::string(Certificate ? "https://" : "http://") + ListenAddress + ":" + std::to_string(port) + "/";
}

std::string TSiteServer::CertificateFile() const
{
    return Certificate ? Certificate->FileToTrust() : std::string();
}

bool TSiteServer::Serve()
{
    return Server->listen_after_bind();
}

bool TSiteServer::IsRunning() const
{
    return Server->is_running();
}

void TSiteServer::Stop()
{
    Server->stop();
}

void TSiteServer::Route()
{
    using httplib::Request;
    using httplib::Response;
    // A misbehaving idle connection must not hold up a stop for long.
    Server->set_keep_alive_timeout(2);
    // An answer without length ends with the connection; httplib would keep it open for a
    // further request, so it gets one request only.
    if (Options.NoContentLength)
        Server->set_keep_alive_max_count(1);
    // Without SO_REUSEPORT (which httplib sets by default) a second site on a taken port
    // would share it silently instead of failing.
    Server->set_socket_options([](int socket) {
        const int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    Server->set_pre_routing_handler([this](const Request& request, Response& response) {
        return AnswerFailingPage(request, response) ? httplib::Server::HandlerResponse::Handled
                                                    : httplib::Server::HandlerResponse::Unhandled;
    });
    Server->set_error_handler([this](const Request&, Response& response) {
        if (response.body.empty() && !response.content_provider_)
            Answer(response, response.status, StatusPage(response.status, ReasonOf(response.status)));
    });
    Server->set_exception_handler([this](const Request&, Response& response, std::exception_ptr error) {
        std::string message = "unknown error";
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            message = e.what();
        } catch (...) {
            // Not one of ours or the library's: the page says "unknown error".
        }
        std::cerr << "corvane-site: " << message << std::endl;
        Answer(response, 500, StatusPage(500, message));
    });

    Server->Get("/", [this](const Request&, Response& response) { PublicPage(response); });
    const auto both = [this](const char* path, void (TSiteServer::*page)(const Request&, Response&)) {
        Server->Get(path,
                    [this, page](const Request& request, Response& response) { (this->*page)(request, response); });
        Server->Post(path,
                     [this, page](const Request& request, Response& response) { (this->*page)(request, response); });
    };
    // Every admin page takes GET and POST alike: a client that follows a redirect of a
    // POST sends the POST again to the new address.
    both("/admin/index.php", &TSiteServer::IndexPage);
    both("/admin/login.php", &TSiteServer::LoginAnswer);
    both("/admin/logout.php", &TSiteServer::LogoutPage);
    both("/admin/dir_categs_edit.php", &TSiteServer::CategoryForm);
}

bool TSiteServer::AnswerFailingPage(const httplib::Request& request, httplib::Response& response)
{
    auto failing = Options.FailingPages.find(request.target);
    if (failing == Options.FailingPages.end())
        failing = Options.FailingPages.find(request.path);
    if (failing == Options.FailingPages.end())
        return false;
    Answer(response, failing->second, StatusPage(failing->second, ReasonOf(failing->second)));
    return true;
}

void TSiteServer::Answer(httplib::Response& response, int status, std::string html) const
{
    response.status = status;
    if (Options.Chunked) {
        response.set_chunked_content_provider(HtmlType, [html = std::move(html)](size_t, httplib::DataSink& sink) {
            sink.write(html.data(), html.size());
            sink.done();
            return true;
        });
    } else if (Options.NoContentLength) {
        response.set_content_provider(HtmlType, [html = std::move(html)](size_t, httplib::DataSink& sink) {
            sink.write(html.data(), html.size());
            sink.done();
            return true;
        });
    } else {
        response.set_content(html, HtmlType);
    }
}

void TSiteServer::Redirect(httplib::Response& response, const std::string& location) const
{
    response.set_header("Location", location);
    Answer(response, 302,
           "<!DOCTYPE html>\n<html><body><a href=\"" + EscapeHtml(location) + "\">" + EscapeHtml(location) +
               "</a></body></html>\n");
}

std::string TSiteServer::SessionOf(const httplib::Request& request, httplib::Response& response)
{
    const std::string id = SessionIdFromCookies(request.get_header_value("Cookie"));
    if (Sessions.Exists(id))
        return id;
    const std::string started = Sessions.Start();
    response.set_header("Set-Cookie", std::string(SessionCookieName) + "=" + started + "; path=/");
    return started;
}

void TSiteServer::PublicPage(httplib::Response& response)
{
    std::lock_guard guard(StateLock);
    Answer(response, 200, PublicTreePage(Directory));
}

void TSiteServer::IndexPage(const httplib::Request& request, httplib::Response& response)
{
    std::lock_guard guard(StateLock);
    const std::string session = SessionOf(request, response);
    Answer(response, 200, Sessions.IsLoggedIn(session) ? AdminHomePage(Options.User) : LoginPage(""));
}

void TSiteServer::LoginAnswer(const httplib::Request& request, httplib::Response& response)
{
    std::lock_guard guard(StateLock);
    const std::string session = SessionOf(request, response);
    if (request.method != "POST") {
        Answer(response, 200, Sessions.IsLoggedIn(session) ? AdminHomePage(Options.User) : LoginPage(""));
        return;
    }
    const bool rightCredentials = request.has_param("user") == !Options.User.empty() &&
                                  request.get_param_value("user") == Options.User &&
                                  request.get_param_value("pass") == Options.Password;
    if (!rightCredentials) {
        Answer(response, 200, LoginPage("Wrong user name or password."));
        return;
    }
    Sessions.LogIn(session);
    if (Options.RedirectsAfterLogin())
        Redirect(response, "index.php");
    else
        Answer(response, 200, AdminHomePage(Options.User));
}

void TSiteServer::LogoutPage(const httplib::Request& request, httplib::Response& response)
{
    std::lock_guard guard(StateLock);
    Sessions.End(SessionIdFromCookies(request.get_header_value("Cookie")));
    Answer(response, 200, LoggedOutPage());
}

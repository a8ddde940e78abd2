// The client reading what a server sends: status lines, header blocks, framing, chunked
// bodies, redirects, authentication challenges and cookies, through the real client on a
// real loopback connection. The input is a script of replies, each ended by a line
// "@@NEXT@@" (CR LF) but the last; the n-th request of the run gets the n-th reply. A run
// is a GET, a form POST and another GET on one client, as a login does, so what one
// answer leaves behind (cookies, a kept connection, bytes beyond a body) meets the next
// request.
//
// Besides crashes, a finding is a request that the answers made malformed: a line
// broken by a CR, LF or NUL, or a request line whose target has blanks or control bytes.

#include "common/core/IntegerText.h"
#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/LoopbackNetwork.h"
#include "fuzz/ScriptedServer.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::string_view ReplySeparator = "@@NEXT@@\r\n";
// Reads end long before this: the server ends a stalled stream after its idle time.
constexpr int ClientTimeoutMs = 1000;

TScriptedServer& Server()
{
    static TScriptedServer server;
    return server;
}

std::vector<std::string> Replies(std::string_view input)
{
    std::vector<std::string> replies;
    for (const std::string_view reply : SplitAt(input, ReplySeparator))
        replies.emplace_back(reply);
    return replies;
}

// Errors are what a call may end with: the client's own, and the integer error of a
// "Set-Cookie2" port list.
template <class TCall>
void Call(TCall call)
{
    try {
        call();
    } catch (const ENetException&) {
    } catch (const EConvertError&) {
    }
}

void LogInAsTheFeedDoes(THTTPClient& client)
{
    Call([&] { client.GetPage("http://fuzz.test/admin/index.php"); });
    Call([&] {
        std::vector<std::string> fields{"user=admin", "pass=two words", "submit=Login"};
        client.PostForm("http://fuzz.test/admin/login.php", fields);
    });
    Call([&] { client.GetPage("http://fuzz.test/admin/dir_categs_edit.php?action=N"); });
}

bool BreaksLine(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

bool BreaksRequestLine(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte >= 0x7F;
}

void CheckRequestLine(std::string_view line)
{
    const auto [method, rest] = FirstWordAndRest(line);
    const auto [target, version] = FirstWordAndRest(rest);
    ExpectThat(method == "GET" || method == "POST", "request line without a method", line);
    ExpectThat(version == "HTTP/1.0" || version == "HTTP/1.1", "request line without a version", line);
    ExpectThat(!target.empty() && target[0] == '/', "request target that is no path", line);
    ExpectThat(std::none_of(target.begin(), target.end(), BreaksRequestLine),
               "request target with a blank, control or non-ASCII byte", line);
}

void CheckRequestHead(std::string_view request)
{
    const std::string_view head = request.substr(0, request.find("\r\n\r\n"));
    const std::vector<std::string_view> lines = SplitAt(head, "\r\n");
    for (const std::string_view line : lines)
        ExpectThat(std::none_of(line.begin(), line.end(), BreaksLine), "request line broken by a CR, LF or NUL", line);
    CheckRequestLine(lines.front());
    // A folded header goes on in lines that begin with a blank.
    for (std::size_t i = 1; i < lines.size(); ++i)
        ExpectThat(lines[i].starts_with(' ') || lines[i].find(": ") != std::string_view::npos,
                   "header line without a name", lines[i]);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RouteConnectionsTo(Server().Address());
    // An https redirect meets a server that speaks no TLS, so no certificate is ever
    // checked; loading the system's trust store for every client would cost more than the
    // rest of a run.
    setenv("SSL_CERT_FILE", "/dev/null", 1);
    setenv("SSL_CERT_DIR", "/dev/null", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Server().Start(Replies(InputText(data, size)));
    {
        TCookieManager cookies;
        THTTPClient client;
        client.SetCookieManager(&cookies);
        client.HandleRedirects = true;
        client.ReadTimeout = ClientTimeoutMs;
        client.ConnectTimeout = ClientTimeoutMs;
        LogInAsTheFeedDoes(client);
    }
    for (const std::string& request : Server().Stop())
        CheckRequestHead(request);
    return 0;
}

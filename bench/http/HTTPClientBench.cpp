// THTTPClient against libcurl, both talking to one local server in the same run, over HTTP
// and over HTTPS: GETs on a kept-alive connection, POSTs on a new connection each, and a
// 10 MB body. THTTPClient runs as the window runs it (process-messages hook, stop request,
// cookie store, default timeouts); libcurl makes the same requests and, like THTTPClient,
// makes room for a body of announced length once. Compare the rates and the CPU time of
// the pairs (CPU time is the client's thread alone; the server runs on threads of its own).
#include "http/CookieManager.h"
#include "http/FormEncoding.h"
#include "http/HTTPClient.h"
#include "tools/site/Certificate.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include <stdlib.h>

namespace {

constexpr size_t BigBodySize = 10 * 1024 * 1024;

class TLocalServer {
public:
    explicit TLocalServer(std::unique_ptr<httplib::Server> server, std::string scheme)
        : Server(std::move(server)), Scheme(std::move(scheme)), Page(1024, 'p'), BigBody(BigBodySize, 'b')
    {
        Server->set_keep_alive_max_count(1000000);
        Server->set_tcp_nodelay(true);
        Server->Get("/page", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(Page, "text/html");
        });
        Server->Get("/big", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(BigBody, "text/html");
        });
        Server->Post("/form", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content("posted " + std::to_string(request.body.size()), "text/html");
        });
        Port = Server->bind_to_any_port("127.0.0.1");
        if (Port <= 0)
            throw std::runtime_error("cannot listen");
        Thread = std::thread([this] { Server->listen_after_bind(); });
        while (!Server->is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~TLocalServer()
    {
        Server->stop();
        Thread.join();
    }
    std::string URL(const std::string& path) const { return Scheme + "://127.0.0.1:" + std::to_string(Port) + path; }

private:
    std::unique_ptr<httplib::Server> Server;
    std::string Scheme;
    std::string Page;
    std::string BigBody;
    int Port = 0;
    std::thread Thread;
};

// The server's certificate, written where both clients are told to trust it.
class TServerCertificate {
public:
    TServerCertificate() : Certificate(MakeSiteCertificate())
    {
        WriteCertificateFile(Certificate, File);
        setenv("SSL_CERT_FILE", File.c_str(), 1);
    }
    ~TServerCertificate() { std::filesystem::remove(File); }

    TCertificate Certificate;
    const std::string File =
        (std::filesystem::temp_directory_path() / ("http_bench_certificate_" + std::to_string(getpid()) + ".pem"))
            .string();
};

TServerCertificate& ServerCertificate()
{
    static TServerCertificate certificate;
    return certificate;
}

TLocalServer& PlainServer()
{
    static TLocalServer server(std::make_unique<httplib::Server>(), "http");
    return server;
}

TLocalServer& SecureServer()
{
    const TCertificate& certificate = ServerCertificate().Certificate;
    static TLocalServer server(
        std::make_unique<httplib::SSLServer>(certificate.Certificate.get(), certificate.Key.get()), "https");
    return server;
}

TLocalServer& ServerFor(const benchmark::State& state)
{
    return state.range(0) != 0 ? SecureServer() : PlainServer();
}

void NameScheme(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("https")->Arg(0)->Arg(1)->UseRealTime();
}

const std::vector<std::string> FormFields{"user=admin", "pass=secret word", "submit=Login"};

// THTTPClient as the window sets it up.
class TWindowClient {
public:
    TWindowClient()
    {
        Client.SetCookieManager(&Cookies);
        Client.SetProcessMessages([this] { ++HookCalls; });
        Client.SetStopRequest(&Stop);
    }

    THTTPClient Client;
    int HookCalls = 0;

private:
    TCookieManager Cookies;
    TStopRequest Stop;
};

struct TCurlBody {
    CURL* Handle = nullptr;
    std::string Text;
};

size_t AppendToString(char* data, size_t size, size_t count, void* target)
{
    auto* body = static_cast<TCurlBody*>(target);
    if (body->Text.empty()) {
        curl_off_t length = -1;
        if (curl_easy_getinfo(body->Handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0)
            body->Text.reserve(static_cast<size_t>(length));
    }
    body->Text.append(data, size * count);
    return size * count;
}

class TCurl {
public:
    TCurl() : Handle(curl_easy_init(), &curl_easy_cleanup)
    {
        Body.Handle = Handle.get();
        curl_easy_setopt(Handle.get(), CURLOPT_WRITEFUNCTION, &AppendToString);
        curl_easy_setopt(Handle.get(), CURLOPT_WRITEDATA, &Body);
        curl_easy_setopt(Handle.get(), CURLOPT_CAINFO, ServerCertificate().File.c_str());
    }
    // A new string per response, as THTTPClient returns one.
    std::string Get(const std::string& url)
    {
        Body.Text = std::string();
        curl_easy_setopt(Handle.get(), CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(Handle.get(), CURLOPT_FRESH_CONNECT, 0L);
        curl_easy_setopt(Handle.get(), CURLOPT_FORBID_REUSE, 0L);
        Perform(url);
        return std::move(Body.Text);
    }
    std::string Post(const std::string& url, const std::string& form)
    {
        Body.Text = std::string();
        curl_easy_setopt(Handle.get(), CURLOPT_POSTFIELDS, form.c_str());
        curl_easy_setopt(Handle.get(), CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(Handle.get(), CURLOPT_FORBID_REUSE, 1L);
        Perform(url);
        return std::move(Body.Text);
    }

private:
    void Perform(const std::string& url)
    {
        curl_easy_setopt(Handle.get(), CURLOPT_URL, url.c_str());
        if (curl_easy_perform(Handle.get()) != CURLE_OK)
            throw std::runtime_error("curl request failed");
    }

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> Handle;
    TCurlBody Body;
};

void BM_Tessaroo_KeptAliveGet(benchmark::State& state)
{
    TWindowClient window;
    const std::string url = ServerFor(state).URL("/page");
    for (auto _ : state)
        benchmark::DoNotOptimize(window.Client.GetPage(url));
    state.SetItemsProcessed(state.iterations());
}

void BM_Curl_KeptAliveGet(benchmark::State& state)
{
    TCurl curl;
    const std::string url = ServerFor(state).URL("/page");
    for (auto _ : state)
        benchmark::DoNotOptimize(curl.Get(url).size());
    state.SetItemsProcessed(state.iterations());
}

void BM_Tessaroo_PostNewConnection(benchmark::State& state)
{
    TWindowClient window;
    const std::string url = ServerFor(state).URL("/form");
    for (auto _ : state) {
        std::vector<std::string> fields = FormFields;
        benchmark::DoNotOptimize(window.Client.PostForm(url, fields));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Curl_PostNewConnection(benchmark::State& state)
{
    TCurl curl;
    const std::string url = ServerFor(state).URL("/form");
    for (auto _ : state) {
        std::vector<std::string> fields = FormFields;
        EncodeFormValues(fields);
        benchmark::DoNotOptimize(curl.Post(url, FormBody(fields)).size());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Tessaroo_10MBBody(benchmark::State& state)
{
    TWindowClient window;
    const std::string url = ServerFor(state).URL("/big");
    for (auto _ : state) {
        if (window.Client.GetPage(url).size() != BigBodySize)
            state.SkipWithError("short body");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigBodySize));
    state.counters["hook_calls"] = benchmark::Counter(window.HookCalls, benchmark::Counter::kAvgIterations);
}

void BM_Curl_10MBBody(benchmark::State& state)
{
    TCurl curl;
    const std::string url = ServerFor(state).URL("/big");
    for (auto _ : state) {
        if (curl.Get(url).size() != BigBodySize)
            state.SkipWithError("short body");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigBodySize));
}

}  // namespace

BENCHMARK(BM_Tessaroo_KeptAliveGet)->Apply(NameScheme);
BENCHMARK(BM_Curl_KeptAliveGet)->Apply(NameScheme);
BENCHMARK(BM_Tessaroo_PostNewConnection)->Apply(NameScheme);
BENCHMARK(BM_Curl_PostNewConnection)->Apply(NameScheme);
BENCHMARK(BM_Tessaroo_10MBBody)->Apply(NameScheme);
BENCHMARK(BM_Curl_10MBBody)->Apply(NameScheme);

int main(int argc, char** argv)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    ServerCertificate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}

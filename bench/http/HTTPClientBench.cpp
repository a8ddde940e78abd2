// THTTPClient against libcurl, both talking to one local server in the same run:
// GETs on a kept-alive connection, POSTs on a new connection each, and a 10 MB body.
// Compare the rates of the pairs (real time; the server runs in this process).
#include "http/FormEncoding.h"
#include "http/HTTPClient.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <memory>
#include <stdexcept>
#include <thread>

namespace {

constexpr size_t BigBodySize = 10 * 1024 * 1024;

class TLocalServer {
public:
    TLocalServer() : Page(1024, 'p'), BigBody(BigBodySize, 'b')
    {
        Server.set_keep_alive_max_count(1000000);
        Server.set_tcp_nodelay(true);
        Server.Get("/page", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(Page, "text/html");
        });
        Server.Get("/big", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(BigBody, "text/html");
        });
        Server.Post("/form", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content("posted " + std::to_string(request.body.size()), "text/html");
        });
        Port = Server.bind_to_any_port("127.0.0.1");
        if (Port <= 0)
            throw std::runtime_error("cannot listen");
        Thread = std::thread([this] { Server.listen_after_bind(); });
        while (!Server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~TLocalServer()
    {
        Server.stop();
        Thread.join();
    }
    std::string URL(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(Port) + path; }

private:
    httplib::Server Server;
    std::string Page;
    std::string BigBody;
    int Port = 0;
    std::thread Thread;
};

TLocalServer& Server()
{
    static TLocalServer server;
    return server;
}

const std::vector<std::string> FormFields{"user=admin", "pass=secret word", "submit=Login"};

size_t AppendToString(char* data, size_t size, size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

class TCurl {
public:
    TCurl() : Handle(curl_easy_init(), &curl_easy_cleanup)
    {
        curl_easy_setopt(Handle.get(), CURLOPT_WRITEFUNCTION, &AppendToString);
        curl_easy_setopt(Handle.get(), CURLOPT_WRITEDATA, &Body);
    }
    // A new string per response, as THTTPClient returns one.
    std::string Get(const std::string& url)
    {
        Body = std::string();
        curl_easy_setopt(Handle.get(), CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(Handle.get(), CURLOPT_FRESH_CONNECT, 0L);
        curl_easy_setopt(Handle.get(), CURLOPT_FORBID_REUSE, 0L);
        Perform(url);
        return std::move(Body);
    }
    std::string Post(const std::string& url, const std::string& form)
    {
        Body = std::string();
        curl_easy_setopt(Handle.get(), CURLOPT_POSTFIELDS, form.c_str());
        curl_easy_setopt(Handle.get(), CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(Handle.get(), CURLOPT_FORBID_REUSE, 1L);
        Perform(url);
        return std::move(Body);
    }

private:
    void Perform(const std::string& url)
    {
        curl_easy_setopt(Handle.get(), CURLOPT_URL, url.c_str());
        if (curl_easy_perform(Handle.get()) != CURLE_OK)
            throw std::runtime_error("curl request failed");
    }

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> Handle;
    std::string Body;
};

void BM_Tessaroo_KeptAliveGet(benchmark::State& state)
{
    THTTPClient client;
    const std::string url = Server().URL("/page");
    for (auto _ : state)
        benchmark::DoNotOptimize(client.GetPage(url));
    state.SetItemsProcessed(state.iterations());
}

void BM_Curl_KeptAliveGet(benchmark::State& state)
{
    TCurl curl;
    const std::string url = Server().URL("/page");
    for (auto _ : state)
        benchmark::DoNotOptimize(curl.Get(url).size());
    state.SetItemsProcessed(state.iterations());
}

void BM_Tessaroo_PostNewConnection(benchmark::State& state)
{
    THTTPClient client;
    const std::string url = Server().URL("/form");
    for (auto _ : state) {
        std::vector<std::string> fields = FormFields;
        benchmark::DoNotOptimize(client.PostForm(url, fields));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Curl_PostNewConnection(benchmark::State& state)
{
    TCurl curl;
    const std::string url = Server().URL("/form");
    for (auto _ : state) {
        std::vector<std::string> fields = FormFields;
        EncodeFormValues(fields);
        benchmark::DoNotOptimize(curl.Post(url, FormBody(fields)).size());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Tessaroo_10MBBody(benchmark::State& state)
{
    THTTPClient client;
    const std::string url = Server().URL("/big");
    for (auto _ : state) {
        if (client.GetPage(url).size() != BigBodySize)
            state.SkipWithError("short body");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigBodySize));
}

void BM_Curl_10MBBody(benchmark::State& state)
{
    TCurl curl;
    const std::string url = Server().URL("/big");
    for (auto _ : state) {
        if (curl.Get(url).size() != BigBodySize)
            state.SkipWithError("short body");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigBodySize));
}

}  // namespace

BENCHMARK(BM_Tessaroo_KeptAliveGet)->UseRealTime();
BENCHMARK(BM_Curl_KeptAliveGet)->UseRealTime();
BENCHMARK(BM_Tessaroo_PostNewConnection)->UseRealTime();
BENCHMARK(BM_Curl_PostNewConnection)->UseRealTime();
BENCHMARK(BM_Tessaroo_10MBBody)->UseRealTime();
BENCHMARK(BM_Curl_10MBBody)->UseRealTime();

int main(int argc, char** argv)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}

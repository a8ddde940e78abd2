#include "TestServer.h"

#include "http/HTTPClient.h"
#include "http/NetExceptions.h"
#include "http/TCPConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Records when the client lets the window process its messages; the longest gap tells
// whether the window stayed responsive. Allowed gap: 50 ms plus a margin for a busy machine.
class THookRecorder {
public:
    static constexpr int AllowedGapMs = 400;

    TProcessMessages ProcessMessages(int abortAfterMs = 0)
    {
        Start = Last = Clock::now();
        return [this, abortAfterMs] {
            const auto now = Clock::now();
            LongestGap = std::max(LongestGap, now - Last);
            Last = now;
            ++Calls;
            if (abortAfterMs > 0 && now - Start > std::chrono::milliseconds(abortAfterMs))
                throw std::runtime_error("aborted by the test");
        };
    }
    long LongestGapMs() const { return std::chrono::duration_cast<std::chrono::milliseconds>(LongestGap).count(); }

    int Calls = 0;

private:
    Clock::time_point Start;
    Clock::time_point Last;
    Clock::duration LongestGap{};
};

class TUnacceptingListener {
public:
    // A listener whose backlog is full: the kernel drops further connection attempts, so
    // a connect to it hangs until it times out.
    TUnacceptingListener()
    {
        Listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(Listener, reinterpret_cast<sockaddr*>(&address), length);
        listen(Listener, 0);
        getsockname(Listener, reinterpret_cast<sockaddr*>(&address), &length);
        Port = ntohs(address.sin_port);
        for (int& filler : Fillers) {
            filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(filler, reinterpret_cast<sockaddr*>(&address), length);
        }
    }
    ~TUnacceptingListener()
    {
        for (int filler : Fillers)
            close(filler);
        close(Listener);
    }
    std::string URL() const { return "http://127.0.0.1:" + std::to_string(Port) + "/"; }

private:
    int Listener;
    int Port = 0;
    int Fillers[3]{};
};

TEST(Waiting, HookRunsWhileASlowAnswerArrives)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{800, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nab"}, {800, "cd"}}, false});
    THTTPClient client;
    THookRecorder recorder;
    client.SetProcessMessages(recorder.ProcessMessages());
    EXPECT_EQ(client.GetPage(server.URL("/slow")), "abcd");
    EXPECT_GE(recorder.Calls, 10);
    EXPECT_LT(recorder.LongestGapMs(), THookRecorder::AllowedGapMs);
}

TEST(Waiting, ACallFromTheHookWhileOneWaitsIsRefused)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{300, OkResponse("outer")}}, false});
    THTTPClient client;
    std::string nestedError;
    client.SetProcessMessages([&] {
        try {
            client.GetPage(server.URL("/nested"));
        } catch (const EClientBusy& e) {
            nestedError = e.what();
        }
    });
    EXPECT_EQ(client.GetPage(server.URL("/outer")), "outer");
    EXPECT_EQ(nestedError, "The HTTP client is busy with another request.");
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(Waiting, HookRunsDuringASlowConnectAndCanAbortIt)
{
    TUnacceptingListener listener;
    THTTPClient client;
    THookRecorder recorder;
    client.SetProcessMessages(recorder.ProcessMessages(900));
    EXPECT_THROW(client.GetPage(listener.URL()), std::runtime_error);
    EXPECT_GE(recorder.Calls, 10);
    EXPECT_LT(recorder.LongestGapMs(), THookRecorder::AllowedGapMs);
}

TEST(Waiting, StopRequestEndsTheWaitForASilentServerAndDropsTheConnection)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{1500, OkResponse("late")}}, false});
    server.Reply(OkResponse("next"));
    THTTPClient client;
    TStopRequest stop;
    client.SetStopRequest(&stop);
    std::optional<Clock::time_point> requested;
    client.SetProcessMessages([&] {
        if (!requested && server.Requests().size() == 1) {
            stop.Request();
            requested = Clock::now();
        }
    });
    EXPECT_THROW(client.GetPage(server.URL("/silent")), EStopRequested);
    ASSERT_TRUE(requested);
    EXPECT_LT(Clock::now() - *requested, std::chrono::milliseconds(100));
    stop.Clear();
    EXPECT_EQ(client.GetPage(server.URL("/next")), "next");
    EXPECT_EQ(server.Connections(), 2);
}

TEST(Waiting, ASilentServerFailsTheReadAfterTheReadTimeoutAndLeavesNoConnection)
{
    EXPECT_EQ(THTTPClient().ReadTimeout, 60000);
    TTestServer server;
    server.Reply(TTestServer::TReply{{{1500, OkResponse("late")}}, false});
    server.Reply(OkResponse("next"));
    THTTPClient client;
    client.ReadTimeout = 300;
    THookRecorder recorder;
    client.SetProcessMessages(recorder.ProcessMessages());
    const auto start = Clock::now();
    try {
        client.GetPage(server.URL("/silent"));
        FAIL();
    } catch (const EReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read Timeout.");
    }
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_GE(recorder.Calls, 5);
    EXPECT_LT(recorder.LongestGapMs(), THookRecorder::AllowedGapMs);
    // The server answers the next request only after its late answer to the first one.
    client.ReadTimeout = 5000;
    EXPECT_EQ(client.GetPage(server.URL("/next")), "next");
    EXPECT_EQ(server.Connections(), 2);
}

// The redirect's and the error's bodies are read with read timeouts of their own; whatever
// ends that reading, the call's own timeout applies to what the connection reads next.
TEST(Waiting, AReadTimeoutForAScopeIsUndoneAlsoWhenTheScopeEndsByAnError)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{600, "late line\r\n"}}, false});
    TTCPConnection connection;
    connection.Connect("127.0.0.1", std::to_string(server.Port()), false, 5000);
    const TTCPConnection::TReadTimeoutScope call(connection, 5000);
    connection.Write("GET / HTTP/1.1\r\n\r\n");
    EXPECT_THROW(
        {
            const TTCPConnection::TReadTimeoutScope body(connection, 100);
            connection.ReadLn(100);
        },
        EReadTimeout);
    EXPECT_EQ(connection.ReadLn(100), "late line");
}

TEST(Waiting, ConnectThatDoesNotFinishTimesOut)
{
    TUnacceptingListener listener;
    THTTPClient client;
    client.ConnectTimeout = 300;
    THookRecorder recorder;
    client.SetProcessMessages(recorder.ProcessMessages());
    try {
        client.GetPage(listener.URL());
        FAIL();
    } catch (const EConnectTimeout& e) {
        EXPECT_STREQ(e.what(), "Connect timed out.");
    }
}

}  // namespace

#include "tools/site/SiteServer.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>

namespace {

sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

int Run(const TSiteOptions& options)
{
    // The stop signals are blocked in every thread and taken by one waiting thread, which
    // can then stop the server outside of any signal handler.
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    TSiteServer server(options);
    const int port = server.Bind();
    std::cout << server.Url(port);
    if (!server.CertificateFile().empty())
        std::cout << " (certificate to trust: " << server.CertificateFile() << ")";
    std::cout << std::endl;
    std::cout << "Admin pages: " << server.Url(port) << "admin/index.php (user " << options.User << ", password "
              << options.Password << ")" << std::endl;

    std::atomic<bool> serving{true};
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        // A stop before the server runs would be lost, and a signal can come that early.
        while (serving && !server.IsRunning())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (serving)
            server.Stop();
    });
    const bool served = server.Serve();
    serving = false;
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    if (!served)
        std::cerr << "corvane-site: serving on port " << port << " failed" << std::endl;
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(ParseSiteOptions(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const ESiteUsage& e) {
        std::cerr << "corvane-site: " << e.what() << "\n" << SiteUsageText;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "corvane-site: " << e.what() << std::endl;
        return 1;
    }
}

#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Which pages the site serves: those of a real installation of the directory script (the
// site's own default), or its legacy pages ("--legacy-pages"), which list categories by the
// bare marker, for the tests that pin the requests the client sends to such a site.
enum class TSitePages { Legacy, RealSite };

// The stand-in directory site (corvane-site) as a child process on a free port of
// 127.0.0.1. Construction returns once the site has printed the address it listens on;
// destruction stops it. Failures throw std::runtime_error.
//
//     TSiteProcess site({"--url-rewriting"});
//     TSiteProcess legacySite({"--hide-new", "2"}, TSitePages::Legacy);
//     feed the domain site.Domain(), e.g. "127.0.0.1:40123"
class TSiteProcess {
public:
    // Arguments after "--port 0": "--db FILE", "--user", "--password" and the misbehaviour
    // switches. Without "--db" the directory lives in memory; the login is admin / demo.
    explicit TSiteProcess(const std::vector<std::string>& arguments = {}, TSitePages pages = TSitePages::RealSite);
    ~TSiteProcess();
    TSiteProcess(const TSiteProcess&) = delete;
    TSiteProcess& operator=(const TSiteProcess&) = delete;

    // The address the site printed first, e.g. "http://127.0.0.1:40123/" (or https://
    // with "--tls").
    const std::string& Url() const { return ListenUrl; }
    // Host and port, as typed into the Domain field: "127.0.0.1:40123", or with "--tls"
    // "https://127.0.0.1:40123".
    std::string Domain() const;
    int Port() const { return ListenPort; }
    // With "--tls", the certificate file the site printed beside its address.
    const std::string& CertificateFile() const { return TrustFile; }

    // Sends the signal (SIGTERM by default) and waits for the site to end; returns its
    // exit status, or 128 + signal number when a signal killed it. Only the first call
    // stops; later calls return the same result.
    int Stop(int signal = 15);

    static std::string ExecutablePath();

private:
    pid_t Pid = -1;
    int OutputPipe = -1;
    std::string ListenUrl;
    int ListenPort = 0;
    std::string TrustFile;
    int ExitStatus = -1;
};

// Runs corvane-site with the given arguments to its end (for command lines it refuses) and
// returns its exit status and what it wrote to stderr.
struct TSiteRunResult {
    int ExitStatus = -1;
    std::string ErrorOutput;
};
TSiteRunResult RunSiteToEnd(const std::vector<std::string>& arguments);

#pragma once

#include "tests/support/TempFolder.h"
#include "tools/site/Certificate.h"

#include <string>

// Certificates for TLS tests, made fresh for each test: an authority that the test process
// trusts alone (SSL_CERT_FILE names it, SSL_CERT_DIR an empty folder), and server
// certificates of every kind a test needs. Clients made afterwards read that trust.
class TTestCertificates {
public:
    TTestCertificates();

    // Signed by the trusted authority for 127.0.0.1, localhost and site.test.
    TCertificate Trusted() const;
    // The same, but its validity ended yesterday.
    TCertificate Expired() const;
    // Signed by the trusted authority, for other.test only.
    TCertificate ForOtherHost() const;
    // For 127.0.0.1, localhost and site.test, signed by itself.
    static TCertificate SelfSigned();

    // Makes the process trust the certificate in this file instead of the authority.
    void TrustOnly(const std::string& certificateFile) const;

private:
    TTempFolder Folder;
    TCertificate Authority;
};

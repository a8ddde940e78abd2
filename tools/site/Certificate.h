#pragma once

#include "common/core/Exception.h"

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>
#include <vector>

// A certificate could not be made, written or read.
class ECertificate : public Exception {
public:
    using Exception::Exception;
};

// A private key with its certificate.
struct TCertificate {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> Key{nullptr, &EVP_PKEY_free};
    std::unique_ptr<X509, decltype(&X509_free)> Certificate{nullptr, &X509_free};
};

// What a new certificate says: the names and addresses it is for, when it is valid (in
// days from now) and whether it may sign other certificates.
struct TCertificateRequest {
    std::string CommonName;
    std::vector<std::string> DnsNames;
    std::vector<std::string> IpAddresses;
    int ValidFromDays = -1;
    int ValidUntilDays = 365;
    bool Authority = false;
};

// A new P-256 key and a certificate for it, signed by issuer, or by itself when there is none.
TCertificate MakeCertificate(const TCertificateRequest& request, const TCertificate* issuer = nullptr);

// The certificate for 127.0.0.1 and localhost that the site serves HTTPS with when it is
// given none.
TCertificate MakeSiteCertificate();

// PEM files, as servers and trust stores read them.
void WriteCertificateFile(const TCertificate& certificate, const std::string& fileName);
void WriteKeyFile(const TCertificate& certificate, const std::string& fileName);
// Raises ECertificate naming the file that cannot be read, or when the key does not fit.
TCertificate ReadCertificate(const std::string& certificateFile, const std::string& keyFile);

#pragma once

#include "tools/site/Certificate.h"
#include "tools/site/SiteOptions.h"

#include <filesystem>
#include <string>

// The certificate the site serves HTTPS with, and the file a client is to trust for it:
// the one given on the command line, or a self-signed one made now and written to a
// private temporary folder that goes when the site stops.
class TSiteCertificate {
public:
    explicit TSiteCertificate(const TSiteOptions& options);
    ~TSiteCertificate();
    TSiteCertificate(const TSiteCertificate&) = delete;
    TSiteCertificate& operator=(const TSiteCertificate&) = delete;

    const TCertificate& Certificate() const { return Served; }
    const std::string& FileToTrust() const { return TrustFile; }

private:
    TCertificate Served;
    std::filesystem::path MadeFolder;  // empty for a certificate from the command line
    std::string TrustFile;
};

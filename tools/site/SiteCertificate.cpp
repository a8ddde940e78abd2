#include "tools/site/SiteCertificate.h"

#include <cstdlib>
#include <system_error>

namespace {

std::filesystem::path MakePrivateFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-site-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw ECertificate("Cannot make a folder for the certificate in " + pattern);
    return pattern;
}

}  // namespace

TSiteCertificate::TSiteCertificate(const TSiteOptions& options)
{
    if (!options.CertificateFile.empty()) {
        Served = ReadCertificate(options.CertificateFile, options.KeyFile);
        TrustFile = std::filesystem::absolute(options.CertificateFile).string();
        return;
    }
    Served = MakeSiteCertificate();
    MadeFolder = MakePrivateFolder();
    TrustFile = (MadeFolder / "certificate.pem").string();
    try {
        WriteCertificateFile(Served, TrustFile);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(MadeFolder, ignored);
        throw;
    }
}

TSiteCertificate::~TSiteCertificate()
{
    if (!MadeFolder.empty()) {
        std::error_code ignored;  // a destructor cannot report; the folder is only a leftover
        std::filesystem::remove_all(MadeFolder, ignored);
    }
}

#include "tests/support/TestCertificates.h"

#include <stdlib.h>

namespace {

TCertificateRequest ServerRequest()
{
    return {"test server", {"localhost", "site.test"}, {"127.0.0.1"}};
}

}  // namespace

TTestCertificates::TTestCertificates() : Authority(MakeCertificate({"Tessaroo test authority", {}, {}, -1, 30, true}))
{
    const std::string authorityFile = Folder.PathOf("authority.pem");
    WriteCertificateFile(Authority, authorityFile);
    TrustOnly(authorityFile);
}

TCertificate TTestCertificates::Trusted() const
{
    return MakeCertificate(ServerRequest(), &Authority);
}

TCertificate TTestCertificates::Expired() const
{
    TCertificateRequest request = ServerRequest();
    request.ValidFromDays = -30;
    request.ValidUntilDays = -1;
    return MakeCertificate(request, &Authority);
}

TCertificate TTestCertificates::ForOtherHost() const
{
    return MakeCertificate({"other", {"other.test"}, {}}, &Authority);
}

TCertificate TTestCertificates::SelfSigned()
{
    return MakeCertificate(ServerRequest());
}

void TTestCertificates::TrustOnly(const std::string& certificateFile) const
{
    setenv("SSL_CERT_FILE", certificateFile.c_str(), 1);
    setenv("SSL_CERT_DIR", Folder.Path().c_str(), 1);
}

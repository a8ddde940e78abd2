#include "tools/site/Certificate.h"

#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace {

constexpr long SecondsPerDay = 24 * 60 * 60;

[[noreturn]] void Fail(const std::string& what)
{
    const unsigned long error = ERR_get_error();
    const char* reason = error != 0 ? ERR_reason_error_string(error) : nullptr;
    ERR_clear_error();
    throw ECertificate(what + (reason ? std::string(": ") + reason : std::string()));
}

void Require(bool done, const std::string& what)
{
    if (!done)
        Fail(what);
}

void AddExtension(X509* certificate, X509* issuer, int id, const std::string& value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, id, value.c_str());
    Require(extension != nullptr && X509_add_ext(certificate, extension, -1) == 1, "Cannot add " + value);
    X509_EXTENSION_free(extension);
}

std::string SubjectAltNames(const TCertificateRequest& request)
{
    std::string names;
    for (const auto& name : request.DnsNames)
        names += (names.empty() ? "DNS:" : ",DNS:") + name;
    for (const auto& address : request.IpAddresses)
        names += (names.empty() ? "IP:" : ",IP:") + address;
    return names;
}

// Browsers refuse a second certificate with the serial of one they saw from the same issuer.
void SetRandomSerial(X509* certificate)
{
    std::unique_ptr<BIGNUM, decltype(&BN_free)> serial(BN_new(), &BN_free);
    Require(serial && BN_rand(serial.get(), 63, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) == 1 &&
                BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(certificate)) != nullptr,
            "Cannot make a serial number");
}

struct TFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

std::unique_ptr<FILE, TFileCloser> Open(const std::string& fileName, const char* mode, const std::string& what)
{
    std::unique_ptr<FILE, TFileCloser> file(std::fopen(fileName.c_str(), mode));
    if (!file)
        throw ECertificate("Cannot " + what + " " + fileName);
    return file;
}

}  // namespace

TCertificate MakeCertificate(const TCertificateRequest& request, const TCertificate* issuer)
{
    TCertificate made;
    made.Key.reset(EVP_EC_gen("P-256"));
    Require(made.Key != nullptr, "Cannot make a key");
    made.Certificate.reset(X509_new());
    X509* certificate = made.Certificate.get();
    Require(certificate != nullptr, "Cannot make a certificate");

    X509_set_version(certificate, X509_VERSION_3);
    SetRandomSerial(certificate);
    X509_gmtime_adj(X509_getm_notBefore(certificate), request.ValidFromDays * SecondsPerDay);
    X509_gmtime_adj(X509_getm_notAfter(certificate), request.ValidUntilDays * SecondsPerDay);
    X509_set_pubkey(certificate, made.Key.get());
    X509_NAME* subject = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(request.CommonName.c_str()), -1, -1, 0);
    X509* signer = issuer ? issuer->Certificate.get() : certificate;
    X509_set_issuer_name(certificate, X509_get_subject_name(signer));

    AddExtension(certificate, signer, NID_basic_constraints, request.Authority ? "critical,CA:TRUE" : "CA:FALSE");
    AddExtension(certificate, signer, NID_subject_key_identifier, "hash");
    if (request.Authority)
        AddExtension(certificate, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    const std::string names = SubjectAltNames(request);
    if (!names.empty())
        AddExtension(certificate, signer, NID_subject_alt_name, names);

    EVP_PKEY* signingKey = issuer ? issuer->Key.get() : made.Key.get();
    Require(X509_sign(certificate, signingKey, EVP_sha256()) > 0, "Cannot sign the certificate");
    return made;
}

TCertificate MakeSiteCertificate()
{
    return MakeCertificate({"corvane-site", {"localhost"}, {"127.0.0.1"}});
}

void WriteCertificateFile(const TCertificate& certificate, const std::string& fileName)
{
    const auto file = Open(fileName, "w", "write");
    Require(PEM_write_X509(file.get(), certificate.Certificate.get()) == 1, "Cannot write " + fileName);
}

void WriteKeyFile(const TCertificate& certificate, const std::string& fileName)
{
    const auto file = Open(fileName, "w", "write");
    Require(PEM_write_PrivateKey(file.get(), certificate.Key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1,
            "Cannot write " + fileName);
}

TCertificate ReadCertificate(const std::string& certificateFile, const std::string& keyFile)
{
    TCertificate read;
    read.Certificate.reset(PEM_read_X509(Open(certificateFile, "r", "read").get(), nullptr, nullptr, nullptr));
    Require(read.Certificate != nullptr, "Cannot read a certificate from " + certificateFile);
    read.Key.reset(PEM_read_PrivateKey(Open(keyFile, "r", "read").get(), nullptr, nullptr, nullptr));
    Require(read.Key != nullptr, "Cannot read a private key from " + keyFile);
    Require(X509_check_private_key(read.Certificate.get(), read.Key.get()) == 1,
            "The key in " + keyFile + " does not belong to the certificate in " + certificateFile);
    return read;
}

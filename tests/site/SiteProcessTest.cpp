#include "http/HTTPClient.h"
#include "tests/site/AdminConversation.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>

TEST(SiteProcess, PrintsItsAddressFirstAndPortZeroPicksAFreePort)
{
    TSiteProcess first;
    TSiteProcess second;
    EXPECT_EQ(first.Url(), "http://127.0.0.1:" + std::to_string(first.Port()) + "/");
    EXPECT_NE(first.Port(), second.Port());
    EXPECT_EQ(first.Domain(), "127.0.0.1:" + std::to_string(first.Port()));

    const TRawHttpResponse page = RawHttpExchange(second.Port(), RawGetRequest("/"));
    EXPECT_EQ(page.Status, 200);
    EXPECT_NE(page.Body.find("The directory is empty."), std::string::npos);
}

TEST(SiteProcess, StopsCleanlyOnTermAndInterruptAlsoWithAnIdleConnectionOpen)
{
    TSiteProcess terminated;
    TRawHttpConnection idle(terminated.Port());
    idle.Send(RawGetRequest("/"));
    idle.ReadResponse();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(terminated.Stop(SIGTERM), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // A signal right after the address is printed may come before the server runs.
    for (int i = 0; i < 5; ++i) {
        TSiteProcess interrupted;
        EXPECT_EQ(interrupted.Stop(SIGINT), 0);
    }
}

TEST(SiteProcess, DatabaseFileKeepsTheDirectoryAcrossARestart)
{
    const TTempFolder dir;
    const std::string db = dir.PathOf("site.db");
    std::string artsId;
    {
        TSiteProcess site({"--db", db}, TSitePages::Legacy);
        TAdminConversation admin(site);
        admin.LogIn();
        artsId = ListedId(admin.AddCategory("Arts", "0"), "Arts").value_or("");
        ASSERT_FALSE(artsId.empty());
        EXPECT_EQ(site.Stop(), 0);
    }
    TSiteProcess site({"--db", db}, TSitePages::Legacy);
    TAdminConversation admin(site);
    admin.LogIn();
    const std::string page = admin.AddCategory("Music", "0");
    EXPECT_EQ(ListedId(page, "Arts"), artsId);
    EXPECT_NE(ListedId(page, "Music"), artsId);
}

TEST(SiteProcess, RefusesBadCommandLinesWithAReason)
{
    struct TCase {
        std::vector<std::string> Arguments;
        std::string Reason;
    };
    const TCase cases[] = {
        {{"--bogus"}, "unknown argument \"--bogus\""},
        {{"--port", "eighty"}, "--port: \"eighty\" is not a number from 0 to 65535"},
        {{"--port"}, "--port needs a value"},
        {{"--hide-new", "-1"}, "--hide-new: \"-1\" is not a number"},
        {{"--fail", "/admin/login.php"}, "--fail: \"/admin/login.php\" is not of the form /PATH=STATUS"},
        {{"--fail", "/admin/login.php=abc"}, "--fail: \"abc\" is not a number"},
        {{"--chunked", "--no-content-length"}, "exclude each other"},
        {{"--legacy-pages", "--url-rewriting"}, "--url-rewriting and --legacy-pages exclude each other"},
        {{"--db", "/nonexistent-dir/site.db"}, "Cannot open the database \"/nonexistent-dir/site.db\""},
        {{"--tls", "--cert", "c.pem"}, "--cert and --key go together"},
        {{"--cert", "c.pem", "--key", "k.pem"}, "--cert and --key need --tls"},
        {{"--tls", "--cert", "/nonexistent-dir/c.pem", "--key", "k.pem"}, "Cannot read /nonexistent-dir/c.pem"},
    };
    for (const TCase& c : cases) {
        const TSiteRunResult result = RunSiteToEnd(c.Arguments);
        EXPECT_NE(result.ExitStatus, 0) << c.Reason;
        EXPECT_NE(result.ErrorOutput.find(c.Reason), std::string::npos) << result.ErrorOutput;
    }
}

TEST(SiteProcess, ServesHttpsWithACertificateItMakesOrOneGiven)
{
    const TTestCertificates certificates;
    std::filesystem::path madeFile;
    {
        TSiteProcess made({"--tls"});
        EXPECT_EQ(made.Url(), "https://127.0.0.1:" + std::to_string(made.Port()) + "/");
        EXPECT_EQ(made.Domain(), "https://127.0.0.1:" + std::to_string(made.Port()));
        madeFile = made.CertificateFile();
        certificates.TrustOnly(madeFile);
        EXPECT_NE(THTTPClient().GetPage(made.Url() + "admin/index.php").find("Login"), std::string::npos);
        EXPECT_EQ(made.Stop(), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(madeFile.parent_path())) << "the site leaves its certificate behind";

    const TTempFolder dir;
    const TCertificate given = TTestCertificates::SelfSigned();
    WriteCertificateFile(given, dir.PathOf("site.pem"));
    WriteKeyFile(given, dir.PathOf("site.key"));
    TSiteProcess site({"--tls", "--cert", dir.PathOf("site.pem"), "--key", dir.PathOf("site.key")});
    EXPECT_EQ(site.CertificateFile(), dir.PathOf("site.pem"));
    certificates.TrustOnly(site.CertificateFile());
    EXPECT_NE(THTTPClient().GetPage(site.Url()).find("The directory is empty."), std::string::npos);
}

TEST(SiteProcess, ReportsAPortThatIsTaken)
{
    TSiteProcess site;
    const TSiteRunResult result = RunSiteToEnd({"--port", std::to_string(site.Port())});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_NE(result.ErrorOutput.find("Cannot listen on 127.0.0.1:" + std::to_string(site.Port())), std::string::npos)
        << result.ErrorOutput;
}

TEST(SiteProcess, RefusesAFileThatIsNoDatabaseAndLeavesItAlone)
{
    const TTempFolder dir;
    const std::filesystem::path notes = dir.Path() / "notes.txt";
    const std::string text = "These are the user's notes, not a database.\n";
    WriteFile(notes, text);
    ASSERT_EQ(ReadFile(notes), text);
    const TSiteRunResult result = RunSiteToEnd({"--port", "0", "--db", notes.string()});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_NE(result.ErrorOutput.find("file is not a database"), std::string::npos) << result.ErrorOutput;
    EXPECT_EQ(std::filesystem::file_size(notes), text.size());
}

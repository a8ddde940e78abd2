// Feeds generated trees of hard names into the stand-in site and reports, per run, the
// requests per regular category, the pauses, the run's wall time against the sum of the
// site's answer times, and this process's own CPU time per entry and per KiB of page read
// (the site runs as a child process and is not counted). The site's answer time of a request
// is measured inside the transport: from the call of the HTTP client to its return with the
// whole body, so it holds the site's work and the loopback transfer; everything else of the
// wall time is the client's (page reading, journal, dump, pauses).
//
// The run is set up as the window sets it up: with a stop request, pauses in slices and the
// site's journal (in a folder of the benchmark). Each size runs against the site as a
// directory site writes its pages, the same with URL titles checked, and the site listing
// by the bare marker, and the directory site once more with plain names (letters, digits and
// inner blanks only). A second table times the reading of a form page of growing size
// alone, and a third FindParentCategory on growing trees: neither may grow faster than the
// page or stay above a flat cost per lookup.
//
//     feed_bench [entries...]      default: 300 1000

#include "TreeGenerator.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "common/core/StopRequest.h"
#include "common/core/Text.h"
#include "feed/AdminAddresses.h"
#include "feed/CategoryListing.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "feed/SitePage.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryClasses.h"
#include "model/tree/DocumentOfTree.h"
#include "model/tree/EntryPaths.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/HardNamesTree.h"
#include "tests/support/SiteProcess.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double OwnCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts what the feed sends and reads, and the time each answer took.
class TCountingTransport : public TPageTransport {
public:
    explicit TCountingTransport(TPageTransport& next) : Next(next) {}

    std::string Get(const std::string& url) override
    {
        return Timed([&] { return Next.Get(url); });
    }
    std::string Post(const std::string& url, std::vector<std::string>& fields) override
    {
        return Timed([&] { return Next.Post(url, fields); });
    }
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override
    {
        return Timed([&] { return Next.PostLogin(url, fields); });
    }
    std::string GetClosing(const std::string& url) override
    {
        return Timed([&] { return Next.GetClosing(url); });
    }

    std::size_t Requests = 0;
    std::size_t Bytes = 0;
    double AnswerSeconds = 0;

private:
    template <typename TRequest>
    std::string Timed(const TRequest& request)
    {
        const auto started = TClock::now();
        std::string page = request();
        AnswerSeconds += std::chrono::duration<double>(TClock::now() - started).count();
        ++Requests;
        Bytes += page.size();
        return page;
    }

    TPageTransport& Next;
};

// Keeps the run's reports quiet; only errors matter to the benchmark.
class TSilentView : public TFeedView {
public:
    void AppendMessageLine(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void SetWaitLabelVisible(bool) override {}
    void ShowMessageBox(const std::string& message) override
    {
        std::fprintf(stderr, "message box: %s\n", message.c_str());
        std::exit(1);
    }
    void ProcessMessages() override {}
    void ReportEntry(const TFeedEntryReport&) override {}
    void ShowProgress(const TFeedProgress&) override {}
    void ShowOutcome(const TFeedOutcome&) override {}
};

struct TSiteManner {
    const char* Name;
    std::vector<std::string> Arguments;
    TSitePages Pages;
    bool PlainNames = false;
};

// The same tree with names of letters, digits and inner blanks only, as every feed has
// always handled them.
void MakeNamesPlain(TXMLTreeNode& node)
{
    for (const auto& child : node.Nodes) {
        std::u16string& name = child->Data->Name;
        for (char16_t& c : name)
            if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u' '))
                c = u'x';
        name = Utf8ToUtf16(StoredTitle(Utf16ToUtf8(name)));
        MakeNamesPlain(*child);
    }
}

void WriteTree(std::size_t entries, bool plainNames)
{
    THardNamesTree tree = GenerateHardNamesTree(entries);
    if (plainNames)
        MakeNamesPlain(*tree.Root);
    TXmlPersistance::ObjectToFile(*tree.Root, "tree.xml");
}

void FeedTree(std::size_t entries, const TSiteManner& manner)
{
    TCategoryTree tree;
    WriteTree(entries, manner.PlainNames);
    LoadTree(tree, "tree.xml");
    std::filesystem::remove_all("state");

    TSiteProcess site(manner.Arguments, manner.Pages);
    TCookieManager cookies;
    THTTPClient client;
    client.SetCookieManager(&cookies);
    TStopRequest stop;
    THTTPClientTransport http(client, &stop);
    TCountingTransport transport(http);
    TSilentView view;
    std::size_t pauses = 0;
    TFeedSettings settings;
    settings.Stop = &stop;
    settings.KeepJournal = true;
    settings.Pause = [&](std::chrono::milliseconds duration) {
        ++pauses;
        PauseInSlices(duration, view, &stop);
    };
    TFeedRun run(view, transport, TFeedLogin{BuildAdminAddresses(site.Domain()), "admin", "demo"}, tree,
                 std::move(settings));

    const double cpuBefore = OwnCpuSeconds();
    const auto started = TClock::now();
    const TFeedOutcome outcome = run.Execute();
    const double wall = std::chrono::duration<double>(TClock::now() - started).count();
    const double cpu = OwnCpuSeconds() - cpuBefore;

    const std::size_t categories = tree.CategoryCount();
    const std::size_t fed = categories + tree.SymbolicCount();
    const double pageKiB = static_cast<double>(transport.Bytes) / 1024;
    std::printf("%-22s %7zu %6zu %6zu %9.3f %6zu %8.2f %8.2f %6.2f %9.1f %9.1f %8.2f %5zu/%zu\n", manner.Name, entries,
                categories, fed - categories, static_cast<double>(transport.Requests) / categories, pauses, wall,
                transport.AnswerSeconds, wall / transport.AnswerSeconds, cpu / fed * 1e6, pageKiB / fed,
                cpu * 1e6 / pageKiB, outcome.Failed.size(), outcome.Skipped.size());
}

std::string Escaped(const std::string& text)
{
    std::string html;
    for (const char c : text)
        html += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : std::string(1, c);
    return html;
}

// A form page listing a generated tree as a directory site writes it.
std::string SiteFormPage(const THardNamesTree& tree, std::vector<std::string>& paths)
{
    std::string page = "<html><form><select name=\"PARENT_ID\">\n<option label=\"[Top]\" value=\"0\">[Top]</option>\n";
    int id = 0;
    const auto list = [&](const auto& self, const TXMLTreeNode& node, const std::string& path, int level) -> void {
        for (const auto& child : node.Nodes) {
            if (!dynamic_cast<const TCategory*>(child->Data))
                continue;
            const std::string title(StoredTitle(Utf16ToUtf8(child->Data->Name)));
            std::string label;
            for (int l = 0; l < level; ++l)
                label += "|&nbsp;&nbsp;&nbsp;";
            label += "|___" + Escaped(title);
            page += "<option label=\"" + label + "\" value=\"" + std::to_string(++id) + "\">" + label + "</option>\n";
            const std::string childPath = (path.empty() ? "" : path + "/") + EscapePathName(title);
            paths.push_back(childPath);
            self(self, *child, childPath, level + 1);
        }
    };
    list(list, *tree.Root, "", 0);
    return page + "</select></form></html>\n";
}

// Reads the page as the feed reads every answer: once, then a lookup by path.
void TimePageReading(std::size_t entries)
{
    const THardNamesTree tree = GenerateHardNamesTree(entries);
    std::vector<std::string> paths;
    const std::string page = SiteFormPage(tree, paths);
    const int reads = static_cast<int>(std::max<std::size_t>(4, 4'000'000 / page.size()));
    std::size_t found = 0;
    const double cpuBefore = OwnCpuSeconds();
    for (int i = 0; i < reads; ++i) {
        const TSitePage read(page);
        found += read.Listing()->IDAt(paths[static_cast<std::size_t>(i) % paths.size()]).has_value();
    }
    const double cpu = OwnCpuSeconds() - cpuBefore;
    const double kib = static_cast<double>(page.size()) / 1024;
    std::printf("%8zu %10zu %10.1f %12.1f %14.2f %6s\n", entries, paths.size(), kib, cpu / reads * 1e6,
                cpu / reads * 1e6 / kib, found == static_cast<std::size_t>(reads) ? "yes" : "NO");
}

void TimeParentLookups(std::size_t entries)
{
    TCategoryTree tree;
    WriteGeneratedTree(entries, "generated.xml");
    LoadTree(tree, "generated.xml");
    const TDmoz document = DocumentOfTree(tree);
    const auto& categories = document.Categories;
    const std::size_t lookups = 1'000'000;
    std::size_t found = 0;
    const auto started = TClock::now();
    for (std::size_t i = 0; i < lookups; ++i)
        found += tree.FindParentCategory(categories[(i * 7919) % categories.size()]->ID) != nullptr;
    const double seconds = std::chrono::duration<double>(TClock::now() - started).count();
    std::printf("%8zu %10zu %14.1f %10zu\n", entries, categories.size(), seconds / lookups * 1e9, found);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty())
        sizes = {300, 1000};

    RegisterCategoryClasses();
    const auto scratch = std::filesystem::temp_directory_path() / ("tessaroo-feed-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);

    const std::vector<TSiteManner> manners = {
        {"directory site", {}, TSitePages::RealSite},
        {"  with URL rewriting", {"--url-rewriting"}, TSitePages::RealSite},
        {"bare marker listing", {}, TSitePages::Legacy},
        {"directory site, plain", {}, TSitePages::RealSite, true},
    };
    std::printf("feed into the stand-in site (answer time: the HTTP client's calls, measured in the transport)\n");
    std::printf("%-22s %7s %6s %6s %9s %6s %8s %8s %6s %9s %9s %8s %7s\n", "site", "entries", "categ", "symb",
                "req/categ", "pauses", "wall s", "answer s", "ratio", "CPU us/e", "KiB/e", "us/KiB", "fail/sk");
    for (const std::size_t entries : sizes)
        for (const TSiteManner& manner : manners)
            FeedTree(entries, manner);

    std::printf("\nreading a form page once and a lookup by path\n%8s %10s %10s %12s %14s %6s\n", "entries",
                "categories", "page KiB", "CPU us/page", "CPU us per KiB", "found");
    for (const std::size_t entries : {std::size_t{1000}, std::size_t{4000}, std::size_t{16000}, std::size_t{64000}})
        TimePageReading(entries);

    std::printf("\nFindParentCategory\n%8s %10s %14s %10s\n", "entries", "categories", "ns/lookup", "parents");
    for (const std::size_t entries : {std::size_t{1000}, std::size_t{4000}, std::size_t{100000}})
        TimeParentLookups(entries);

    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
}

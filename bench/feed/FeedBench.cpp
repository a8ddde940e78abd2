// Feeds generated trees into the stand-in site and reports categories per second and this
// process's own CPU time per category (the site runs as a child process and is not counted).
// The form page lists every category, so its size grows with the tree; the bytes read per
// category are shown too, to set the CPU apart from the cost of reading and searching pages.
// The run is set up as the window sets it up: with a stop request, pauses in slices and the
// site's journal (in a folder of the benchmark). A last row feeds a tree whose two halves
// give every name to two categories under different parents, which takes the lookups that
// tell such categories apart. A second table times FindParentCategory on growing trees: it
// must not grow with the tree.
//
//     feed_bench [entries...]      default: 1000 4000

#include "TreeGenerator.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "common/core/StopRequest.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryClasses.h"
#include "model/Dmoz.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/SiteProcess.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double OwnCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts what the feed reads, so the report can relate CPU to page bytes.
class TCountingTransport : public TPageTransport {
public:
    explicit TCountingTransport(TPageTransport& next) : Next(next) {}

    std::string Get(const std::string& url) override { return Count(Next.Get(url)); }
    std::string Post(const std::string& url, std::vector<std::string>& fields) override
    {
        return Count(Next.Post(url, fields));
    }
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override
    {
        return Count(Next.PostLogin(url, fields));
    }

    std::size_t Requests = 0;
    std::size_t Bytes = 0;

private:
    std::string Count(std::string page)
    {
        ++Requests;
        Bytes += page.size();
        return page;
    }

    TPageTransport& Next;
};

// Keeps the run's reports quiet; only errors matter to the benchmark.
class TSilentView : public TFeedView {
public:
    explicit TSilentView(std::string domain) : Domain(std::move(domain)) {}

    std::string DomainText() const override { return Domain; }
    std::string UsernameText() const override { return "admin"; }
    std::string PasswordText() const override { return "demo"; }
    void AppendMessageLine(const std::string& line) override { Lines.push_back(line); }
    void SetStatusText(const std::string&) override {}
    void SetWaitLabelVisible(bool) override {}
    void ShowMessageBox(const std::string& message) override
    {
        std::fprintf(stderr, "message box: %s\n", message.c_str());
        std::exit(1);
    }
    void ProcessMessagesNow() override {}
    void ReportEntry(const TFeedEntryReport&) override {}
    void ShowProgress(const TFeedProgress&) override {}
    void ShowOutcome(const TFeedOutcome&) override {}

    std::vector<std::string> Lines;

private:
    std::string Domain;
};

struct TLoadedTree {
    TCategoryTree Tree;
    TDmoz Document;
};

void LoadGeneratedTree(std::size_t entries, TLoadedTree& loaded)
{
    const std::string fileName = "tree.xml";
    WriteGeneratedTree(entries, fileName);
    LoadTree(loaded.Tree, fileName, loaded.Document);
}

// A generated tree with its IDs moved by an offset and its Urls and top-level names marked,
// written as a tree file: two such copies give every name below the top level to two
// categories under different parents.
void WriteMarkedCopy(std::size_t entries, std::int32_t idOffset, const std::u16string& mark,
                     const std::string& fileName)
{
    TGeneratedTree tree = GenerateTree(entries);
    for (const auto& record : tree.Records) {
        record->Url = mark + record->Url;
        if (auto* category = dynamic_cast<TCategory*>(record.get()))
            category->ID += idOffset;
        else
            static_cast<TSymbolicCategory*>(record.get())->Parent += idOffset;
    }
    for (const auto& topLevel : tree.Root->Nodes)
        topLevel->Data->Name += mark;
    TXmlPersistance::ObjectToFile(*tree.Root, fileName);
}

void LoadTreeOfSharedNames(std::size_t entries, TLoadedTree& loaded)
{
    WriteMarkedCopy(entries / 2, 0, u"A", "a.xml");
    WriteMarkedCopy(entries / 2, static_cast<std::int32_t>(entries), u"B", "b.xml");
    LoadTree(loaded.Tree, "a.xml", loaded.Document);
    LoadTree(loaded.Tree, "b.xml", loaded.Document);
}

void FeedTree(std::size_t entries, const TLoadedTree& loaded, const char* what)
{
    TSiteProcess site;
    TCookieManager cookies;
    THTTPClient client;
    client.SetCookieManager(&cookies);
    TStopRequest stop;
    THTTPClientTransport http(client, &stop);
    TCountingTransport transport(http);
    TSilentView view(site.Domain());
    TFeedSettings settings;
    settings.Stop = &stop;
    settings.KeepJournal = true;
    TFeedRun run(
        view, transport, loaded.Document, [&](std::int32_t id) { return loaded.Tree.FindParentCategory(id); },
        std::move(settings));

    const double cpuBefore = OwnCpuSeconds();
    const auto started = std::chrono::steady_clock::now();
    run.Execute();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double cpu = OwnCpuSeconds() - cpuBefore;

    const std::size_t categories = loaded.Document.Categories.size();
    const std::size_t symbolic = loaded.Document.SymbolicCategories.size();
    const std::size_t fed = categories + symbolic;
    std::printf("%8zu %10zu %9zu %9zu %12.1f %14.1f %14.1f %16.2f %s\n", entries, categories, symbolic,
                view.Lines.size(), fed / wall, cpu / fed * 1e6, static_cast<double>(transport.Bytes) / fed / 1024,
                cpu / fed * 1e6 / (static_cast<double>(transport.Bytes) / fed / 1024), what);
}

void FeedGeneratedTree(std::size_t entries)
{
    TLoadedTree loaded;
    LoadGeneratedTree(entries, loaded);
    FeedTree(entries, loaded, "");
}

void FeedTreeOfSharedNames(std::size_t entries)
{
    TLoadedTree loaded;
    LoadTreeOfSharedNames(entries, loaded);
    FeedTree(entries, loaded, "names shared by two branches");
}

void TimeParentLookups(std::size_t entries)
{
    TLoadedTree loaded;
    LoadGeneratedTree(entries, loaded);
    const auto& categories = loaded.Document.Categories;
    const std::size_t lookups = 1'000'000;
    std::size_t found = 0;
    const auto started = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < lookups; ++i)
        found += loaded.Tree.FindParentCategory(categories[(i * 7919) % categories.size()]->ID) != nullptr;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%8zu %10zu %14.1f %10zu\n", entries, categories.size(), seconds / lookups * 1e9, found);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty())
        sizes = {1000, 4000};

    RegisterCategoryClasses();
    const auto scratch = std::filesystem::temp_directory_path() / ("tessaroo-feed-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);

    std::printf("feed into the stand-in site\n");
    std::printf("%8s %10s %9s %9s %12s %14s %14s %16s\n", "entries", "categories", "symbolic", "skipped", "entries/s",
                "own CPU us/e", "page KiB/e", "CPU us per KiB");
    for (const std::size_t entries : sizes)
        FeedGeneratedTree(entries);
    FeedTreeOfSharedNames(sizes.front());

    std::printf("\nFindParentCategory\n%8s %10s %14s %10s\n", "entries", "categories", "ns/lookup", "parents");
    for (const std::size_t entries : {std::size_t{1000}, std::size_t{4000}, std::size_t{100000}})
        TimeParentLookups(entries);

    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
}

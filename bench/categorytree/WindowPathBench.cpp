// The window's "Reload tree" and "Save tree" with the program's own logging, against the
// engine with its trace switched off, in one run:
//
//   windowpath_bench [--runs N] [entries...]   (default: 100000 1000000)
//
// For each size a generated tree.xml is read and written by
//   the engine, trace off:    FileToObject, ObjectToFile
//   the window's code paths:  LoadTree into an empty tree and document, SaveTree of that tree,
//                             with the threshold at everything, as the program runs them, and
//                             for comparison with the trace off
// Each time is the best of N runs (default 3). The bytes the traced load and save hand to
// the logs come from the process's own count of written bytes (/proc/self/io, wchar), less
// the tree file; logs/ is left as retention leaves it. Prints ratios; asserts nothing.
#include "TreeGenerator.h"
#include "bench/support/BestOf.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryModelStartup.h"
#include "model/Dmoz.h"
#include "model/XMLTreeNode.h"
#include "model/tree/TreeBinding.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

int Runs = 3;

// Bytes this process has handed to write calls so far.
std::uint64_t BytesWritten()
{
    std::ifstream io("/proc/self/io");
    std::string field;
    std::uint64_t value = 0;
    while (io >> field >> value)
        if (field == "wchar:")
            return value;
    return 0;
}

void FreeRecords(TXMLTreeNode& node)
{
    delete node.Data;
    for (const auto& child : node.Nodes)
        FreeRecords(*child);
}

class TThreshold {
public:
    explicit TThreshold(TLogLevel level) : Saved(GlobalLogLevel) { GlobalLogLevel = level; }
    ~TThreshold() { GlobalLogLevel = Saved; }

private:
    TLogLevel Saved;
};

struct TFolderContent {
    std::size_t Files = 0;
    std::uintmax_t Bytes = 0;
};

TFolderContent ContentOf(const std::filesystem::path& folder)
{
    TFolderContent content;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++content.Files;
        content.Bytes += entry.file_size();
    }
    return content;
}

struct TLoadAndSave {
    double Load = 1e9, Save = 1e9;
};

// The best load and save of a few runs, each into a fresh tree and document.
TLoadAndSave WindowLoadAndSave(const std::string& file, const std::string& saved, std::uint64_t& logBytes)
{
    TLoadAndSave best;
    for (int run = 0; run < Runs; ++run) {
        TCategoryTree tree;
        TDmoz document;
        TLogger::FlushAll();
        const std::uint64_t before = BytesWritten();
        auto start = TClock::now();
        LoadTree(tree, file, document, [] {});
        best.Load = std::min(best.Load, std::chrono::duration<double>(TClock::now() - start).count());
        start = TClock::now();
        SaveTree(tree, saved, [] {});
        best.Save = std::min(best.Save, std::chrono::duration<double>(TClock::now() - start).count());
        TLogger::FlushAll();
        logBytes = BytesWritten() - before - std::filesystem::file_size(saved);
    }
    return best;
}

struct TSample {
    double FileMB = 0;
    double EngineRead = 0, EngineWrite = 0, Load = 0, Save = 0;
    TLoadAndSave Quiet;
    double LogMB = 0;
    TFolderContent Logs;
};

TSample Measure(std::size_t entries, const std::filesystem::path& folder)
{
    const std::string file = (folder / "tree.xml").string();
    const std::string saved = (folder / "saved.xml").string();
    WriteGeneratedTree(entries, file);
    TSample sample;
    sample.FileMB = double(std::filesystem::file_size(file)) / 1e6;
    std::uint64_t logBytes = 0;
    {
        const TThreshold traceOff(llError);
        sample.EngineRead = BestSeconds(Runs, [&] {
            auto root = TXmlPersistance::FileToObject(file);
            FreeRecords(dynamic_cast<TXMLTreeNode&>(*root));
        });
        auto root = TXmlPersistance::FileToObject(file);
        sample.EngineWrite = BestSeconds(Runs, [&] { TXmlPersistance::ObjectToFile(*root, saved); });
        FreeRecords(dynamic_cast<TXMLTreeNode&>(*root));
        sample.Quiet = WindowLoadAndSave(file, saved, logBytes);
    }
    {
        const TThreshold everything(llAll);
        const TLoadAndSave traced = WindowLoadAndSave(file, saved, logBytes);
        sample.Load = traced.Load;
        sample.Save = traced.Save;
        sample.LogMB = double(logBytes) / 1e6;
    }
    sample.Logs = ContentOf(folder / "logs");
    std::filesystem::remove(file);
    std::filesystem::remove(saved);
    return sample;
}

void Report(std::size_t entries, const TSample& s)
{
    std::printf("%9zu entries, tree.xml %.0f MB\n", entries, s.FileMB);
    std::printf("  load: LoadTree, trace on %7.3f s   FileToObject, trace off %7.3f s   ratio %.2f (target <= 3)\n",
                s.Load, s.EngineRead, s.Load / s.EngineRead);
    std::printf("  save: SaveTree, trace on %7.3f s   ObjectToFile, trace off %7.3f s   ratio %.2f (target <= 3)\n",
                s.Save, s.EngineWrite, s.Save / s.EngineWrite);
    std::printf("  trace off: LoadTree %7.3f s, SaveTree %7.3f s\n", s.Quiet.Load, s.Quiet.Save);
    std::printf("  logs: %.0f MB written by one load and save; logs/ holds %zu files, %.0f MB\n", s.LogMB,
                s.Logs.Files, double(s.Logs.Bytes) / 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs" && i + 1 < argc)
            Runs = std::stoi(argv[++i]);
        else
            sizes.push_back(std::stoul(argument));
    }
    if (sizes.empty())
        sizes = {100000, 1000000};

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessaroo-windowpath-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    // The program's own start, with its logs in this run's folder instead of beside the
    // benchmark.
    TLogger::GetLogger("", 1048576);
    TLogger::SetLogPath((folder / "logs").string());
    if (const auto error = StartCategoryModel()) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return 1;
    }
    for (std::size_t entries : sizes)
        Report(entries, Measure(entries, folder));
    std::filesystem::remove_all(folder);
    return 0;
}

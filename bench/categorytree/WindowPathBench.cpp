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
// They run by turns, and each time is the best of N runs (default 3): on the clock, and in
// processor time of the process (all threads) and of the calling thread, which a shared
// machine disturbs far less. The bytes the traced load and save hand to the logs come from
// the process's own count of written bytes (/proc/self/io, wchar), less the tree file; logs/
// is left as retention leaves it. Prints ratios; asserts nothing.
#include "TreeGenerator.h"
#include "bench/support/BestOf.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryModelStartup.h"
#include "model/XMLTreeNode.h"
#include "model/tree/TreeBinding.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

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

struct TSample {
    double FileMB = 0;
    TBestTimes EngineRead, EngineWrite, Load, Save, QuietLoad, QuietSave;
    double LogMB = 0;
    TFolderContent Logs;
};

// One load into a fresh tree and one save of it, as the window runs them; the
// bytes handed to the logs on the way, without the tree file.
std::uint64_t WindowLoadAndSave(const std::string& file, const std::string& saved, TBestTimes& load, TBestTimes& save)
{
    TCategoryTree tree;
    TLogger::FlushAll();
    const std::uint64_t before = BytesWritten();
    load.Add(TimesOf([&] { LoadTree(tree, file, [] {}); }));
    save.Add(TimesOf([&] { SaveTree(tree, saved, [] {}); }));
    TLogger::FlushAll();
    return BytesWritten() - before - std::filesystem::file_size(saved);
}

// Each run times the engine alone, the window's paths with the trace on and off, by turns.
TSample Measure(std::size_t entries, const std::filesystem::path& folder)
{
    const std::string file = (folder / "tree.xml").string();
    const std::string saved = (folder / "saved.xml").string();
    WriteGeneratedTree(entries, file);
    TSample sample;
    sample.FileMB = double(std::filesystem::file_size(file)) / 1e6;
    for (int run = 0; run < Runs; ++run) {
        {
            const TThreshold traceOff(llError);
            TXmlPersistance::TReadResult read;
            sample.EngineRead.Add(TimesOf([&] { read = TXmlPersistance::FileToObject(file); }));
            sample.EngineWrite.Add(TimesOf([&] { TXmlPersistance::ObjectToFile(*read.Object, saved); }));
        }
        {
            const TThreshold everything(llAll);
            sample.LogMB = double(WindowLoadAndSave(file, saved, sample.Load, sample.Save)) / 1e6;
        }
        const TThreshold traceOff(llError);
        WindowLoadAndSave(file, saved, sample.QuietLoad, sample.QuietSave);
    }
    sample.Logs = ContentOf(folder / "logs");
    std::filesystem::remove(file);
    std::filesystem::remove(saved);
    return sample;
}

void ReportRatio(const char* what, const char* window, const TTimes& traced, const char* engine, const TTimes& alone)
{
    std::printf("  %s: %s, trace on %7.3f s   %s, trace off %7.3f s   ratio %.2f (target <= 3)\n", what, window,
                traced.Wall, engine, alone.Wall, traced.Wall / alone.Wall);
    std::printf("        processor time %7.3f s (calling thread %7.3f s) against %7.3f s   ratio %.2f\n",
                traced.Process, traced.Thread, alone.Process, traced.Process / alone.Process);
}

void Report(std::size_t entries, const TSample& s)
{
    std::printf("%9zu entries, tree.xml %.0f MB\n", entries, s.FileMB);
    ReportRatio("load", "LoadTree", s.Load, "FileToObject", s.EngineRead);
    ReportRatio("save", "SaveTree", s.Save, "ObjectToFile", s.EngineWrite);
    std::printf("  trace off: LoadTree %7.3f s, SaveTree %7.3f s\n", s.QuietLoad.Wall, s.QuietSave.Wall);
    std::printf("  logs: %.0f MB written by one load and save; logs/ holds %zu files, %.0f MB\n", s.LogMB, s.Logs.Files,
                double(s.Logs.Bytes) / 1e6);
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

// Reads and writes generated trees with the engine and with bare pugixml, in one run, and
// prints the times, their ratios and the peak memory of a read.
//
//   xmlpersistance_bench [--repeat N] [--trace-entries N] [entries...]   (default: 100000)
//
// The engine's trace is below the threshold for the timed runs; the default threshold,
// which writes every trace record, is timed separately on --trace-entries entries.

#include "TreeGenerator.h"
#include "bench/support/BestOf.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"
#include "model/XMLTreeNode.h"

#include <pugixml.hpp>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// The machine is shared, so each time is the best of a few runs; the engine and pugixml run
// by turns.
int Repetitions = 3;

double SecondsOf(const std::function<void()>& work)
{
    return BestSeconds(Repetitions, work);
}

// Resident memory in bytes from /proc/self/status ("VmRSS", "VmHWM").
std::size_t StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stoul(line.substr(field.size() + 1)) * 1024;
    }
    return 0;
}

// The growth of resident memory at its peak while the work runs, with freed memory handed
// back to the system first so that it does not hide the growth.
std::size_t PeakGrowthOf(const std::function<void()>& work)
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::size_t before = StatusBytes("VmRSS");
    work();
    return StatusBytes("VmHWM") - before;
}

struct TSample {
    TBestTimes EngineRead, FloorRead, EngineWrite, FloorWrite;
    double EngineText = 0, EngineDom = 0;
    std::size_t FileSize = 0, EngineReadPeak = 0, FloorReadPeak = 0;
};

// The read is timed until FileToObject returns, so that freeing what it built is not
// counted; pugixml's read is complete when its document is released, as FileToObject
// releases its own.
void MeasureReads(const std::string& file, TSample& sample)
{
    for (int run = 0; run < Repetitions; ++run) {
        sample.FloorRead.Add(TimesOf([&] {
            pugi::xml_document document;
            document.load_file(file.c_str());
        }));
        TXmlPersistance::TReadResult read;
        sample.EngineRead.Add(TimesOf([&] { read = TXmlPersistance::FileToObject(file); }));
    }
}

void MeasureWrites(const TXMLPersistentObject& root, const std::string& file, const std::string& copy, TSample& sample)
{
    TXmlPersistance::ObjectToFile(root, file);
    pugi::xml_document document;
    document.load_file(file.c_str());
    for (int run = 0; run < Repetitions; ++run) {
        sample.FloorWrite.Add(TimesOf([&] { document.save_file(copy.c_str()); }));
        sample.EngineWrite.Add(TimesOf([&] { TXmlPersistance::ObjectToFile(root, file); }));
    }
}

TSample Measure(std::size_t entries, const std::filesystem::path& folder)
{
    TSample sample;
    const std::string file = (folder / ("tree-" + std::to_string(entries) + ".xml")).string();
    const std::string copy = (folder / "copy.xml").string();
    {
        const TGeneratedTree tree = GenerateTree(entries);
        MeasureWrites(*tree.Root, file, copy, sample);
        sample.EngineText = SecondsOf([&] { TXmlPersistance::ObjectToXml(*tree.Root, true); });
        sample.EngineDom = SecondsOf([&] {
            pugi::xml_document document;
            TXmlPersistance::ObjectToNode(*tree.Root, document.append_child("DUMMY_NODE"));
        });
    }
    sample.FileSize = std::filesystem::file_size(file);
    MeasureReads(file, sample);
    sample.FloorReadPeak = PeakGrowthOf([&] {
        pugi::xml_document document;
        document.load_file(file.c_str());
    });
    sample.EngineReadPeak = PeakGrowthOf([&] { TXmlPersistance::FileToObject(file); });
    std::filesystem::remove(file);
    std::filesystem::remove(copy);
    return sample;
}

void ReportRatio(const char* what, const char* engine, const TTimes& ours, const char* floor, const TTimes& theirs,
                 double target)
{
    std::printf("  %s: %s %7.3f s   %s %7.3f s   ratio %.2f (target <= %.1f)\n", what, engine, ours.Wall, floor,
                theirs.Wall, ours.Wall / theirs.Wall, target);
    std::printf("         processor time %7.3f s against %7.3f s   ratio %.2f\n", ours.Process, theirs.Process,
                ours.Process / theirs.Process);
}

void Report(std::size_t entries, const TSample& s)
{
    const double mb = 1024.0 * 1024.0;
    std::printf("%zu entries, file %.1f MB\n", entries, s.FileSize / mb);
    ReportRatio("read ", "FileToObject", s.EngineRead, "pugixml load_file+release", s.FloorRead, 2.0);
    ReportRatio("write", "ObjectToFile", s.EngineWrite, "pugixml save_file", s.FloorWrite, 1.5);
    std::printf("         of which the text (ObjectToXml) %.3f s, its document (ObjectToNode) %.3f s\n", s.EngineText,
                s.EngineDom);
    std::printf(
        "  read peak memory: FileToObject %.1f MB = %.2f x file (target <= 2.5)   load_file %.1f MB = %.2f x file\n",
        s.EngineReadPeak / mb, double(s.EngineReadPeak) / s.FileSize, s.FloorReadPeak / mb,
        double(s.FloorReadPeak) / s.FileSize);
}

void ReportTracedRun(std::size_t entries, const std::filesystem::path& folder)
{
    const std::string file = (folder / "traced.xml").string();
    const TGeneratedTree tree = GenerateTree(entries);
    GlobalLogLevel = llDebug;
    const double quietWrite = SecondsOf([&] { TXmlPersistance::ObjectToFile(*tree.Root, file); });
    const double quietRead = SecondsOf([&] { TXmlPersistance::FileToObject(file); });
    GlobalLogLevel = llAll;
    const double tracedWrite = SecondsOf([&] { TXmlPersistance::ObjectToFile(*tree.Root, file); });
    const double tracedRead = SecondsOf([&] { TXmlPersistance::FileToObject(file); });
    GlobalLogLevel = llDebug;
    std::printf("%zu entries with the default threshold (every trace record written):\n", entries);
    std::printf("  write %.3f s (%.3f s without trace)   read %.3f s (%.3f s without trace)\n", tracedWrite, quietWrite,
                tracedRead, quietRead);
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t traceEntries = 10000;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace-entries" && i + 1 < argc)
            traceEntries = std::stoul(argv[++i]);
        else if (argument == "--repeat" && i + 1 < argc)
            Repetitions = std::stoi(argv[++i]);
        else
            sizes.push_back(std::stoul(argument));
    }
    if (sizes.empty())
        sizes.push_back(100000);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessaroo-xml-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    TLogger::GetLogger("", 1048576);
    TLogger::SetLogPath((folder / "logs").string());
    RegisterCategoryClasses();

    GlobalLogLevel = llDebug;
    for (std::size_t entries : sizes)
        Report(entries, Measure(entries, folder));
    if (traceEntries > 0)
        ReportTracedRun(traceEntries, folder);
    std::filesystem::remove_all(folder);
    return 0;
}

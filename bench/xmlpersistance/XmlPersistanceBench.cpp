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

// The machine is shared, so each time is the best of a few runs.
int Repetitions = 3;

double SecondsOf(const std::function<void()>& work)
{
    return BestSeconds(Repetitions, work);
}

// The time until the work says it stopped, so that freeing what it built is not counted.
double SecondsUntilStop(const std::function<TClock::time_point()>& work)
{
    double best = 0;
    for (int run = 0; run < Repetitions; ++run) {
        const auto start = TClock::now();
        const double seconds = std::chrono::duration<double>(work() - start).count();
        if (run == 0 || seconds < best)
            best = seconds;
    }
    return best;
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

void FreeReadTree(std::unique_ptr<TXMLPersistentObject> object)
{
    auto* root = dynamic_cast<TXMLTreeNode*>(object.get());
    std::vector<TXMLTreeNode*> pending{root};
    while (!pending.empty()) {
        TXMLTreeNode* node = pending.back();
        pending.pop_back();
        delete node->Data;
        for (const auto& child : node->Nodes)
            pending.push_back(child.get());
    }
}

struct TSample {
    double EngineRead = 0, FloorRead = 0, EngineWrite = 0, EngineText = 0, EngineDom = 0, FloorWrite = 0;
    std::size_t FileSize = 0, EngineReadPeak = 0, FloorReadPeak = 0;
};

TSample Measure(std::size_t entries, const std::filesystem::path& folder)
{
    TSample sample;
    const std::string file = (folder / ("tree-" + std::to_string(entries) + ".xml")).string();
    const std::string copy = (folder / "copy.xml").string();
    {
        const TGeneratedTree tree = GenerateTree(entries);
        sample.EngineWrite = SecondsOf([&] { TXmlPersistance::ObjectToFile(*tree.Root, file); });
        sample.EngineText = SecondsOf([&] { TXmlPersistance::ObjectToXml(*tree.Root, true); });
        sample.EngineDom = SecondsOf([&] {
            pugi::xml_document document;
            TXmlPersistance::ObjectToNode(*tree.Root, document.append_child("DUMMY_NODE"));
        });
    }
    sample.FileSize = std::filesystem::file_size(file);
    {
        // A read is complete when its document is released, as FileToObject releases its own.
        sample.FloorRead = SecondsOf([&] {
            pugi::xml_document document;
            document.load_file(file.c_str());
        });
        pugi::xml_document document;
        document.load_file(file.c_str());
        sample.FloorWrite = SecondsOf([&] { document.save_file(copy.c_str()); });
    }
    sample.FloorReadPeak = PeakGrowthOf([&] {
        pugi::xml_document document;
        document.load_file(file.c_str());
    });
    sample.EngineRead = SecondsUntilStop([&] {
        std::unique_ptr<TXMLPersistentObject> object = TXmlPersistance::FileToObject(file);
        const auto stop = TClock::now();
        FreeReadTree(std::move(object));
        return stop;
    });
    sample.EngineReadPeak = PeakGrowthOf([&] { FreeReadTree(TXmlPersistance::FileToObject(file)); });
    std::filesystem::remove(file);
    std::filesystem::remove(copy);
    return sample;
}

void Report(std::size_t entries, const TSample& s)
{
    const double mb = 1024.0 * 1024.0;
    std::printf("%zu entries, file %.1f MB\n", entries, s.FileSize / mb);
    std::printf("  read : FileToObject %7.3f s   pugixml load_file+release %7.3f s   ratio %.2f (target <= 2.0)\n",
                s.EngineRead, s.FloorRead, s.EngineRead / s.FloorRead);
    std::printf("  write: ObjectToFile %7.3f s   pugixml save_file %7.3f s   ratio %.2f (target <= 1.5)\n",
                s.EngineWrite, s.FloorWrite, s.EngineWrite / s.FloorWrite);
    std::printf("         of which the text (ObjectToXml) %.3f s, its document (ObjectToNode) %.3f s\n",
                s.EngineText, s.EngineDom);
    std::printf("  read peak memory: FileToObject %.1f MB = %.2f x file (target <= 2.5)   load_file %.1f MB = %.2f x file\n",
                s.EngineReadPeak / mb, double(s.EngineReadPeak) / s.FileSize, s.FloorReadPeak / mb,
                double(s.FloorReadPeak) / s.FileSize);
}

void ReportTracedRun(std::size_t entries, const std::filesystem::path& folder)
{
    const std::string file = (folder / "traced.xml").string();
    const TGeneratedTree tree = GenerateTree(entries);
    GlobalLogLevel = llDebug;
    const double quietWrite = SecondsOf([&] { TXmlPersistance::ObjectToFile(*tree.Root, file); });
    const double quietRead = SecondsOf([&] { FreeReadTree(TXmlPersistance::FileToObject(file)); });
    GlobalLogLevel = llAll;
    const double tracedWrite = SecondsOf([&] { TXmlPersistance::ObjectToFile(*tree.Root, file); });
    const double tracedRead = SecondsOf([&] { FreeReadTree(TXmlPersistance::FileToObject(file)); });
    GlobalLogLevel = llDebug;
    std::printf("%zu entries with the default threshold (every trace record written):\n", entries);
    std::printf("  write %.3f s (%.3f s without trace)   read %.3f s (%.3f s without trace)\n", tracedWrite,
                quietWrite, tracedRead, quietRead);
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

// Imports generated RDF structure dumps with tessaroo-tree, as a user runs it, and compares
// the whole import with the engine's own write of the same tree, in one run:
//
//   treeimport_bench [--repeat N] [--trace-topics N] [topics]   (default: 1000000 topics)
//
// Prints, once with the engine's trace off (--log-level Debug) and once with the program's
// default logging (every trace record written, on --trace-topics topics): the import's time
// and throughput in MB/s of dump, its peak memory against the size of the tree.xml written,
// and its time against ObjectToFile of the same tree. Times are wall-clock and processor
// seconds, each the least of --repeat runs (the wall time and the processor time apart: the
// machine is shared). The floor follows: expat's own parse of the dump on one core, without
// a handler, and zlib's inflating of the compressed dump, against the engine's write. The
// load average is printed before and after. The dumps come from tessaroo-rdfgen; the tool
// runs as a child process from a copy in a temporary folder, so that its logs go there, and
// its peak memory is the child's maximum resident set. Asserts nothing.

#include "cli/treeformats/ImportedTree.h"
#include "cli/treeformats/RdfDumpReader.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"

#include <expat.h>
#include <zlib.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// The machine is shared, so each time is the best of a few runs.
int Repetitions = 3;

// Wall-clock and processor seconds: the machine is shared, so the processor time tells the
// work apart from the waiting for a core.
struct TTimes {
    double Seconds = 0;
    double CpuSeconds = 0;
};

struct TToolRun : TTimes {
    std::size_t PeakBytes = 0;
};

double SecondsOf(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double MB(std::uintmax_t bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

TToolRun RunOnce(const std::vector<std::string>& command)
{
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = TClock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + command.front());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    TToolRun run;
    run.Seconds = std::chrono::duration<double>(TClock::now() - start).count();
    run.CpuSeconds = SecondsOf(usage.ru_utime) + SecondsOf(usage.ru_stime);
    run.PeakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command.front() + " failed with status " + std::to_string(status));
    return run;
}

void KeepLeast(TTimes& best, const TTimes& current, int run)
{
    best.Seconds = run == 0 ? current.Seconds : std::min(best.Seconds, current.Seconds);
    best.CpuSeconds = run == 0 ? current.CpuSeconds : std::min(best.CpuSeconds, current.CpuSeconds);
}

TToolRun BestRun(const std::vector<std::string>& command)
{
    TToolRun best;
    for (int run = 0; run < Repetitions; ++run) {
        const TToolRun current = RunOnce(command);
        KeepLeast(best, current, run);
        best.PeakBytes = std::max(best.PeakBytes, current.PeakBytes);
    }
    return best;
}

// The least wall-clock and processor time of the work, run in this process.
template <class TWork>
TTimes Timed(TWork work)
{
    TTimes best;
    for (int run = 0; run < Repetitions; ++run) {
        const auto start = TClock::now();
        const double cpuStart = ProcessCpuSeconds();
        work();
        KeepLeast(best, {std::chrono::duration<double>(TClock::now() - start).count(), ProcessCpuSeconds() - cpuStart},
                  run);
    }
    return best;
}

TTimes EngineWrite(const TImportedTree& tree, const std::string& fileName)
{
    return Timed([&] { TXmlPersistance::ObjectToFile(*tree.Root, fileName); });
}

constexpr int PieceSize = 1 << 20;

// expat alone, on one core, as the import reads: pieces of the file into expat's buffer.
TTimes ExpatParse(const std::string& fileName)
{
    return Timed([&] {
        XML_Parser parser = XML_ParserCreate(nullptr);
        std::FILE* in = std::fopen(fileName.c_str(), "rb");
        for (bool end = false; !end;) {
            void* buffer = XML_GetBuffer(parser, PieceSize);
            const std::size_t read = std::fread(buffer, 1, PieceSize, in);
            end = read == 0;
            if (XML_ParseBuffer(parser, static_cast<int>(read), end) != XML_STATUS_OK)
                throw std::runtime_error("expat cannot parse " + fileName);
        }
        std::fclose(in);
        XML_ParserFree(parser);
    });
}

TTimes Inflate(const std::string& fileName)
{
    return Timed([&] {
        gzFile in = gzopen(fileName.c_str(), "rb");
        std::vector<char> piece(PieceSize);
        while (gzread(in, piece.data(), static_cast<unsigned>(piece.size())) > 0) {
        }
        gzclose(in);
    });
}

std::string LoadAverage()
{
    double load[3] = {};
    if (getloadavg(load, 3) != 3)
        return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

std::string ReadAll(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One way of logging: its dumps, the tool's runs on them and the engine's write of their tree.
struct TCase {
    std::string Title;
    std::size_t Topics;
    std::string LogLevel;
    TLogLevel EngineLevel;
    fs::path Folder;
    TToolRun Plain, Compressed;
    TTimes Write, Expat, Inflating;

    std::string File(const std::string& name) const { return (Folder / name).string(); }
};

void RunTool(TCase& bench, const std::string& tool)
{
    fs::create_directories(bench.Folder);
    const std::string topics = std::to_string(bench.Topics);
    RunOnce({TESSAROO_RDFGEN_EXECUTABLE, topics, bench.File("dump.rdf")});
    RunOnce({TESSAROO_RDFGEN_EXECUTABLE, topics, bench.File("dump.rdf.gz"), "--gzip"});
    bench.Plain = BestRun(
        {tool, "--log-level", bench.LogLevel, "import", "rdf", bench.File("dump.rdf"), "-o", bench.File("tree.xml")});
    bench.Compressed = BestRun({tool, "--log-level", bench.LogLevel, "import", "rdf", bench.File("dump.rdf.gz"), "-o",
                                bench.File("tree.xml")});
}

void RunEngine(TCase& bench)
{
    GlobalLogLevel = llDebug;
    const TImportedTree imported = ReadRdfDump(bench.File("dump.rdf"), DefaultRdfRoot, {});
    GlobalLogLevel = bench.EngineLevel;
    bench.Write = EngineWrite(imported, bench.File("engine.xml"));
    GlobalLogLevel = llDebug;
    bench.Expat = ExpatParse(bench.File("dump.rdf"));
    bench.Inflating = Inflate(bench.File("dump.rdf.gz"));
}

void Report(const TCase& bench)
{
    const std::uintmax_t treeSize = fs::file_size(bench.File("tree.xml"));
    const bool same = ReadAll(bench.File("tree.xml")) == ReadAll(bench.File("engine.xml"));
    const double dumpMB = MB(fs::file_size(bench.File("dump.rdf")));
    std::printf("%s, %zu topics: dump %.1f MB (gzip %.1f MB), tree.xml %.1f MB%s\n", bench.Title.c_str(), bench.Topics,
                dumpMB, MB(fs::file_size(bench.File("dump.rdf.gz"))), MB(treeSize),
                same ? "" : "  (DIFFERS from the engine's!)");
    std::printf("                  wall s   cpu s   MB/s of dump (wall, cpu)\n");
    std::printf("  import rdf     %7.3f %7.3f   %6.1f %6.1f (target >= 100)\n", bench.Plain.Seconds,
                bench.Plain.CpuSeconds, dumpMB / bench.Plain.Seconds, dumpMB / bench.Plain.CpuSeconds);
    std::printf("  import rdf .gz %7.3f %7.3f   %6.1f %6.1f\n", bench.Compressed.Seconds, bench.Compressed.CpuSeconds,
                dumpMB / bench.Compressed.Seconds, dumpMB / bench.Compressed.CpuSeconds);
    std::printf("  engine write   %7.3f %7.3f\n", bench.Write.Seconds, bench.Write.CpuSeconds);
    std::printf("  import / engine write: %.2f wall, %.2f cpu (target <= 2)\n",
                bench.Plain.Seconds / bench.Write.Seconds, bench.Plain.CpuSeconds / bench.Write.CpuSeconds);
    std::printf("  peak memory    %.1f MB = %.2f x tree.xml (target <= 2); .gz %.1f MB\n", MB(bench.Plain.PeakBytes),
                static_cast<double>(bench.Plain.PeakBytes) / static_cast<double>(treeSize),
                MB(bench.Compressed.PeakBytes));
    std::printf("  floor: expat alone %.3f wall %.3f cpu (%.1f MB/s cpu) = %.2f x the engine write's cpu;"
                " inflating alone %.3f cpu\n",
                bench.Expat.Seconds, bench.Expat.CpuSeconds, dumpMB / bench.Expat.CpuSeconds,
                bench.Expat.CpuSeconds / bench.Write.CpuSeconds, bench.Inflating.CpuSeconds);
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t topics = 1000000;
    std::size_t traceTopics = 1000000;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--repeat" && i + 1 < argc)
            Repetitions = std::stoi(argv[++i]);
        else if (argument == "--trace-topics" && i + 1 < argc)
            traceTopics = std::stoul(argv[++i]);
        else
            topics = std::stoul(argument);
    }

    const fs::path folder = fs::temp_directory_path() / ("tessaroo-import-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path tool = folder / "tessaroo-tree";
    fs::copy_file(TESSAROO_TREE_EXECUTABLE, tool);
    std::vector<TCase> cases{
        {"trace off (--log-level Debug)", topics, "Debug", llDebug, folder / "quiet", {}, {}, {}, {}, {}}};
    if (traceTopics > 0)
        cases.push_back({"default logging (every trace record written)",
                         traceTopics,
                         "All",
                         llAll,
                         folder / "traced",
                         {},
                         {},
                         {},
                         {},
                         {}});

    std::printf("load average before: %s\n", LoadAverage().c_str());
    // A child's peak memory counts the memory of this process up to the child's start, so the
    // children all run while this process is still small.
    for (TCase& bench : cases)
        RunTool(bench, tool.string());
    TLogger::GetLogger("", 1048576);
    TLogger::SetLogPath((folder / "logs").string());
    RegisterCategoryClasses();
    for (TCase& bench : cases) {
        RunEngine(bench);
        Report(bench);
    }
    std::printf("load average after: %s\n", LoadAverage().c_str());
    fs::remove_all(folder);
    return 0;
}

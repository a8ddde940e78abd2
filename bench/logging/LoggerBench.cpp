// Records per second of one logger at llFullDebug against the floor: one write(2) per
// record on a descriptor kept open with O_APPEND. Compare the items_per_second of the
// benchmarks of one run.
#include "common/logging/Logger.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::string TraceMessage = "Writing property Name (tkUString) of TCategory: Arts/Music/Bands_and_Artists";

// The folder of this run; the critical log file goes there too.
const std::string& RunFolder()
{
    static const std::string root = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("tessaroo_logging_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        ::setenv("temp", path.c_str(), 1);
        return path.string() + "/";
    }();
    return root;
}

// The benchmark library calls a benchmark several times, while the logger of an earlier
// call may still be writing into its folder: the folder is made once and never emptied.
std::string FolderOf(const std::string& name)
{
    const std::string folder = RunFolder() + name + "/";
    std::filesystem::create_directories(folder);
    return folder;
}

void BM_WriteFloor(benchmark::State& state)
{
    const std::string path = FolderOf("floor") + "floor.log";
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    const std::string record = "FullDebug [12/08/26 14:47:14:066] : " + TraceMessage + "\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(::write(descriptor, record.data(), record.size()));
    ::close(descriptor);
    state.SetItemsProcessed(state.iterations());
}

void LogRecords(benchmark::State& state, const std::string& name, std::int32_t maxSize)
{
    TLogger& logger = TLogger::GetLogger(FolderOf(name) + name + ".log", maxSize);
    for (auto _ : state)
        logger.Log(TraceMessage, llFullDebug);
    state.SetItemsProcessed(state.iterations());
}

// A limit the run never reaches: the cost of a record alone.
void BM_LoggerFullDebug(benchmark::State& state)
{
    LogRecords(state, "unlimited", 0x7FFFFFFF);
}

// The limit every caller uses: archives (and failed archives within one second) included.
void BM_LoggerFullDebugOneMiB(benchmark::State& state)
{
    LogRecords(state, "onemib", 1048576);
}

}  // namespace

BENCHMARK(BM_WriteFloor);
BENCHMARK(BM_LoggerFullDebug);
BENCHMARK(BM_LoggerFullDebugOneMiB);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TLogger::FlushAll();
    std::filesystem::remove_all(RunFolder());
    return 0;
}

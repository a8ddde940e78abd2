#include "TestFiles.h"

#include "common/XmlPersistance/XmlLog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace {

std::filesystem::path NewFolderPath(const std::string& prefix)
{
    std::random_device random;
    // The logger lower-cases its paths, so the folder name has no capitals.
    return std::filesystem::path("/tmp") /
           (prefix + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000000));
}

// Each test process logs into a folder of its own, so that its trace can be read back
// without the records of other processes.
class TLogFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        Folder = NewFolderPath("tessaroo-xml-log-");
        std::filesystem::create_directories(Folder);
        // The logging unit sets its default folder when it starts, so it starts first.
        TLogger::GetLogger("", 1048576);
        TLogger::SetLogPath(Folder.string());
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

private:
    std::filesystem::path Folder;
};

[[maybe_unused]] ::testing::Environment* const LogFolderEnvironment =
    ::testing::AddGlobalTestEnvironment(new TLogFolderEnvironment);

}  // namespace

TTempFolder::TTempFolder() : Path(NewFolderPath("tessaroo-xml-test-"))
{
    std::filesystem::create_directories(Path);
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
}

std::string ReadFileBytes(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& fileName, const std::string& bytes)
{
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::string EngineLogFileName()
{
    return XmlLogger().FileName();
}

std::uintmax_t EngineLogSize()
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(EngineLogFileName(), missing);
    return missing ? 0 : size;
}

std::vector<std::string> EngineLogMessagesSince(std::uintmax_t position)
{
    const std::string text = ReadFileBytes(EngineLogFileName()).substr(position);
    std::vector<std::string> messages;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        const std::size_t prefixEnd = line.find("] : ");
        if (prefixEnd != std::string::npos)
            messages.push_back(line.substr(prefixEnd + 4));
    }
    return messages;
}

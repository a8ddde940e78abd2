#include "EngineTrace.h"

#include "common/XmlPersistance/XmlLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// Each test process logs into a folder of its own, so that its trace can be read back
// without the records of other processes.
class TLogFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        Folder = std::make_unique<TTempFolder>();
        // The logging unit sets its default folder when it starts, so it starts first.
        TLogger::GetLogger("", 1048576);
        TLogger::SetLogPath(Folder->Path().string());
    }
    void TearDown() override
    {
        TLogger::FlushAll();
        Folder.reset();
    }

private:
    std::unique_ptr<TTempFolder> Folder;
};

[[maybe_unused]] ::testing::Environment* const LogFolderEnvironment =
    ::testing::AddGlobalTestEnvironment(new TLogFolderEnvironment);

}  // namespace

std::string EngineLogFileName()
{
    return XmlLogger()->FileName();
}

std::uintmax_t EngineLogSize()
{
    XmlLogger()->Flush();
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(EngineLogFileName(), missing);
    return missing ? 0 : size;
}

std::string EngineLogTextSince(std::uintmax_t position)
{
    XmlLogger()->Flush();
    return ReadFile(EngineLogFileName()).substr(position);
}

std::vector<std::string> EngineLogMessagesSince(std::uintmax_t position)
{
    const std::string text = EngineLogTextSince(position);
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

#include "common/logging/LogRetention.h"

#include "common/logging/LogPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

const std::string ArchivedWord = " Archived ";
const std::string ArchiveExtension = ".log";

// Matches the text against a shape in which 'd' stands for a digit.
bool HasShape(std::string_view text, std::string_view shape)
{
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (shape[i] == 'd' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

// The counter of " (n)" at the end of a stamp, which then loses it; 1 when there is none,
// 0 for another shape (counters begin at 2).
unsigned long CounterOf(std::string_view& stamp)
{
    if (stamp.empty() || stamp.back() != ')')
        return 1;
    const std::size_t open = stamp.rfind(" (");
    if (open == std::string_view::npos)
        return 0;
    const std::string_view digits = stamp.substr(open + 2, stamp.size() - open - 3);
    if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return 0;
    const unsigned long counter = std::stoul(std::string(digits));
    if (counter < 2)
        return 0;
    stamp = stamp.substr(0, open);
    return counter;
}

// "yyyy-mm-dd hh-mm-ss nnnnnnnnn" for an archive of the stem, which sorts by time and then
// by counter; empty for any other name. An archive made at midnight is named by its date alone.
std::string OrderKey(const std::string& fileName, const std::string& stem)
{
    const std::string head = stem + ArchivedWord;
    if (fileName.size() <= head.size() + ArchiveExtension.size() || !fileName.starts_with(head) ||
        !fileName.ends_with(ArchiveExtension))
        return {};
    std::string_view stamp(fileName);
    stamp = stamp.substr(head.size(), stamp.size() - head.size() - ArchiveExtension.size());
    const unsigned long counter = CounterOf(stamp);
    if (counter == 0)
        return {};
    std::string time;
    if (HasShape(stamp, "dddd-dd-dd"))
        time = std::string(stamp) + " 00-00-00";
    else if (HasShape(stamp, "dddd-dd-dd dd-dd-dd"))
        time = stamp;
    else
        return {};
    const std::string number = std::to_string(counter);
    return time + " " + std::string(9 - number.size(), '0') + number;
}

std::string StemOf(const std::string& logFileName)
{
    const std::string name = FileNamePart(logFileName);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

TArchiveRetention::TArchiveRetention(std::string logFileName, std::int64_t limit)
    : LogFileName(std::move(logFileName)), Limit(limit)
{
}

void TArchiveRetention::Archived(const std::string& archiveFileName, std::int64_t size)
{
    if (!FolderRead)
        ReadFolder();
    const std::string key = OrderKey(FileNamePart(archiveFileName), StemOf(LogFileName));
    if (!key.empty() && std::none_of(Archives.begin(), Archives.end(),
                                     [&](const TArchive& known) { return known.FileName == archiveFileName; }))
        Add({key, archiveFileName, size});
    while (Total > Limit && !Archives.empty())
        DeleteOldest();
}

// Archives that other processes make later are not seen until the next start; those that
// vanish are simply not found when their turn comes.
void TArchiveRetention::ReadFolder()
{
    FolderRead = true;
    const std::string folder = DirectoryPart(LogFileName);
    const std::string stem = StemOf(LogFileName);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        std::string key = OrderKey(name, stem);
        std::error_code notAFile;
        if (key.empty() || !entry.is_regular_file(notAFile))
            continue;
        const auto size = entry.file_size(notAFile);
        if (!notAFile)
            Add({std::move(key), folder + name, static_cast<std::int64_t>(size)});
    }
}

void TArchiveRetention::Add(TArchive archive)
{
    Total += archive.Size;
    const auto place = std::upper_bound(Archives.begin(), Archives.end(), archive.Key,
                                        [](const std::string& key, const TArchive& known) { return key < known.Key; });
    Archives.insert(place, std::move(archive));
}

// A file that cannot be deleted is forgotten all the same, so that the limit does not make
// every later archive try it again.
void TArchiveRetention::DeleteOldest()
{
    ::unlink(Archives.front().FileName.c_str());
    Total -= Archives.front().Size;
    Archives.pop_front();
}

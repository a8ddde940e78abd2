#include "feed/FeedJournal.h"

#include "feed/FeedErrors.h"
#include "model/tree/EntryPaths.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view CategoryRecord = "category";
constexpr std::string_view CategoryPostRecord = "category-post";
constexpr std::string_view CategoryRefusedRecord = "category-refused";
constexpr std::string_view SymbolicRecord = "symbolic";
constexpr std::string_view SymbolicPostRecord = "symbolic-post";
constexpr std::string_view SymbolicRefusedRecord = "symbolic-refused";
constexpr std::size_t SymbolicKeyFields = 3;

constexpr const char* FileNote =
    "# Tessaroo feed journal: what feed runs created on one site. Delete this file to start afresh.\n";

std::string Quoted(const std::filesystem::path& file)
{
    return "\"" + file.string() + "\"";
}

std::string SystemReason()
{
    return std::strerror(errno);
}

std::string Unescape(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char escaped = field[++i];
        text += escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped;
    }
    return text;
}

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

std::string JoinedFrom(const std::vector<std::string>& fields, std::size_t first)
{
    std::string joined;
    for (std::size_t i = first; i < fields.size(); ++i)
        joined += (i == first ? "" : "\t") + fields[i];
    return joined;
}

}  // namespace

TFeedJournal::TFeedJournal() : Out(nullptr, &std::fclose)
{
}

TFeedJournal::TFeedJournal(std::filesystem::path file) : FileName(std::move(file)), Out(nullptr, &std::fclose)
{
    Read();
}

TFeedJournal::~TFeedJournal() = default;

void TFeedJournal::Read()
{
    std::error_code error;
    if (!std::filesystem::exists(FileName, error))
        return;
    std::ifstream in(FileName, std::ios::binary);
    std::ostringstream content;
    if (!in || !(content << in.rdbuf()))
        throw EFeedJournal("Cannot read the journal " + Quoted(FileName) + ". " + SystemReason());
    const std::string text = std::move(content).str();

    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        ++lineNumber;
        if (end == std::string::npos) {
            CompleteSize = start;
            break;
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() != '#')
            ReadRecord(SplitFields(line), lineNumber);
    }
}

void TFeedJournal::ReadRecord(const std::vector<std::string>& fields, std::size_t lineNumber)
{
    const std::string& kind = fields.front();
    const auto bad = [&](const std::string& reason) {
        return EFeedJournal("The journal " + Quoted(FileName) + ", line " + std::to_string(lineNumber) + ": " + reason);
    };
    if (kind == CategoryRecord) {
        if (fields.size() != 3)
            throw bad("a category record needs a path and an identifier");
        CategoryIDs[fields[1]] = Unescape(fields[2]);
        CategoryPosts.erase(fields[1]);
    } else if (kind == CategoryPostRecord) {
        if (fields.size() < 2)
            throw bad("a category-post record needs a path");
        std::vector<std::string>& listed = CategoryPosts[fields[1]];
        listed.clear();
        for (std::size_t i = 2; i < fields.size(); ++i)
            listed.push_back(Unescape(fields[i]));
    } else if (kind == CategoryRefusedRecord) {
        if (fields.size() != 2)
            throw bad("a category-refused record needs a path");
        CategoryPosts.erase(fields[1]);
    } else if (kind == SymbolicRecord || kind == SymbolicPostRecord || kind == SymbolicRefusedRecord) {
        if (fields.size() != 1 + SymbolicKeyFields)
            throw bad("a symbolic record needs a parent path, a target path and a name");
        TSymbolicState& state = Symbolics[JoinedFrom(fields, 1)];
        if (kind == SymbolicRecord)
            state = TSymbolicState::Posted;
        else if (kind == SymbolicRefusedRecord)
            state = TSymbolicState::NotPosted;
        else if (state != TSymbolicState::Posted)
            state = TSymbolicState::PostCutOff;
    } else {
        throw bad("\"" + kind + "\" is no kind of record");
    }
}

const std::string* TFeedJournal::CategoryID(const std::string& path) const
{
    const auto found = CategoryIDs.find(path);
    return found != CategoryIDs.end() ? &found->second : nullptr;
}

const std::vector<std::string>* TFeedJournal::CutOffCategoryPost(const std::string& path) const
{
    const auto found = CategoryPosts.find(path);
    return found != CategoryPosts.end() ? &found->second : nullptr;
}

TFeedJournal::TSymbolicState TFeedJournal::SymbolicState(const std::string& key) const
{
    const auto found = Symbolics.find(key);
    return found != Symbolics.end() ? found->second : TSymbolicState::NotPosted;
}

void TFeedJournal::NoteCategoryPost(const std::string& path, const std::vector<std::string>& listedBefore)
{
    std::string record = std::string(CategoryPostRecord) + "\t" + path;
    for (const std::string& id : listedBefore)
        record += "\t" + EscapePathName(id);
    Append(record);
    CategoryPosts[path] = listedBefore;
}

void TFeedJournal::NoteCategoryCreated(const std::string& path, const std::string& id)
{
    Append(std::string(CategoryRecord) + "\t" + path + "\t" + EscapePathName(id));
    CategoryIDs[path] = id;
    CategoryPosts.erase(path);
}

void TFeedJournal::NoteCategoryRefused(const std::string& path)
{
    Append(std::string(CategoryRefusedRecord) + "\t" + path);
    CategoryPosts.erase(path);
}

void TFeedJournal::NoteSymbolicPost(const std::string& key)
{
    Append(std::string(SymbolicPostRecord) + "\t" + key);
    Symbolics[key] = TSymbolicState::PostCutOff;
}

void TFeedJournal::NoteSymbolicPosted(const std::string& key)
{
    Append(std::string(SymbolicRecord) + "\t" + key);
    Symbolics[key] = TSymbolicState::Posted;
}

void TFeedJournal::NoteSymbolicRefused(const std::string& key)
{
    Append(std::string(SymbolicRefusedRecord) + "\t" + key);
    Symbolics[key] = TSymbolicState::NotPosted;
}

std::string TFeedJournal::SymbolicKey(const std::string& parentPath, const std::string& targetPath,
                                      const std::string& name)
{
    return parentPath + "\t" + targetPath + "\t" + EscapePathName(name);
}

void TFeedJournal::OpenForAppend()
{
    std::error_code error;
    std::filesystem::create_directories(FileName.parent_path(), error);
    const bool isNew = !std::filesystem::exists(FileName, error);
    // A line cut off by a killed run holds no record; it goes, so that the records to come
    // start on a line of their own.
    if (CompleteSize) {
        std::filesystem::resize_file(FileName, *CompleteSize, error);
        if (error)
            throw EFeedJournal("Cannot write the journal " + Quoted(FileName) + ". " + error.message());
    }
    Out.reset(std::fopen(FileName.c_str(), "ab"));
    if (!Out || (isNew && std::fputs(FileNote, Out.get()) < 0))
        throw EFeedJournal("Cannot write the journal " + Quoted(FileName) + ". " + SystemReason());
}

void TFeedJournal::Append(const std::string& record)
{
    if (FileName.empty())
        return;
    if (!Out)
        OpenForAppend();
    const std::string line = record + "\n";
    if (std::fwrite(line.data(), 1, line.size(), Out.get()) != line.size() || std::fflush(Out.get()) != 0)
        throw EFeedJournal("Cannot write the journal " + Quoted(FileName) + ". " + SystemReason());
}

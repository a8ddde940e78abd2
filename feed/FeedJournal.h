#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What feed runs created on one site, so that a later run posts nothing twice: the form page
// does not list symbolic categories, and it cannot tell apart categories of the same name
// under different parents. Categories are known by their path (see TCategoryPaths) and the
// identifier the site gave them; symbolic categories by their parent's path, their target's
// path and their name.
//
// The file is plain text, one record per line, fields separated by tabs (a tab, CR, LF or
// backslash inside a field is escaped with a backslash); lines starting with "#" are notes:
//
//     category<TAB>PATH<TAB>ID                  created, with its identifier
//     category-post<TAB>PATH[<TAB>ID]...        posted; the identifiers listed under its name before
//     category-refused<TAB>PATH                 the post was refused: nothing was created
//     symbolic<TAB>PARENT<TAB>TARGET<TAB>NAME   posted (or the site has it already)
//     symbolic-post<TAB>PARENT<TAB>TARGET<TAB>NAME   post sent, answer not received
//     symbolic-refused<TAB>PARENT<TAB>TARGET<TAB>NAME   the post was refused
//
// A "-post" record is written before the post and the plain record after its answer, each
// flushed at once, so a run that is stopped, killed or fails midway leaves the file telling
// which posts may have reached the site. A last line without its line end (a run killed while
// writing it) is ignored, and removed before the next record is appended.
class TFeedJournal {
public:
    enum class TSymbolicState { NotPosted, PostCutOff, Posted };

    // Kept in memory only: what this run does.
    TFeedJournal();
    // Reads the file when it exists; records are appended to it, creating it and its folder
    // with the first. Fails with EFeedJournal naming the file (and the line, for a bad one).
    explicit TFeedJournal(std::filesystem::path file);
    ~TFeedJournal();
    TFeedJournal(const TFeedJournal&) = delete;
    TFeedJournal& operator=(const TFeedJournal&) = delete;

    // The identifier of the category created at that path; nullptr when none was.
    const std::string* CategoryID(const std::string& path) const;
    // The identifiers listed before a post of that category whose answer never came; nullptr
    // when there is no such post.
    const std::vector<std::string>* CutOffCategoryPost(const std::string& path) const;
    TSymbolicState SymbolicState(const std::string& key) const;

    void NoteCategoryPost(const std::string& path, const std::vector<std::string>& listedBefore);
    void NoteCategoryCreated(const std::string& path, const std::string& id);
    void NoteCategoryRefused(const std::string& path);
    void NoteSymbolicPost(const std::string& key);
    void NoteSymbolicPosted(const std::string& key);
    void NoteSymbolicRefused(const std::string& key);

    // The key of a symbolic category: its parent's path, its target's path and its name.
    static std::string SymbolicKey(const std::string& parentPath, const std::string& targetPath,
                                   const std::string& name);

    const std::filesystem::path& File() const { return FileName; }

private:
    using TFileCloser = int (*)(std::FILE*);

    void Read();
    void ReadRecord(const std::vector<std::string>& fields, std::size_t lineNumber);
    void Append(const std::string& record);
    void OpenForAppend();

    std::filesystem::path FileName;
    std::unique_ptr<std::FILE, TFileCloser> Out;
    // The bytes up to the end of the last complete line, when a line after it was cut off.
    std::optional<std::uintmax_t> CompleteSize;
    std::unordered_map<std::string, std::string> CategoryIDs;
    std::unordered_map<std::string, std::vector<std::string>> CategoryPosts;
    std::unordered_map<std::string, TSymbolicState> Symbolics;
};

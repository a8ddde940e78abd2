#pragma once

#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

std::unique_ptr<TCategory> MakeCategory(const std::u16string& name, std::int32_t id, const std::u16string& url = u"");
std::unique_ptr<TSymbolicCategory> MakeSymbolic(const std::u16string& name, std::int32_t parent, const std::u16string& url);

// The node texts of the tree in pre-order, each indented by two blanks per level.
std::vector<std::string> Outline(const TCategoryTree& tree);

// A folder of its own under the temporary folder, removed at the end of the test.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    std::string File(const std::string& name) const { return (Path / name).string(); }

private:
    std::filesystem::path Path;
};

std::string ReadFile(const std::string& fileName);
void WriteFile(const std::string& fileName, const std::string& text);
std::string ExampleTreeFile();

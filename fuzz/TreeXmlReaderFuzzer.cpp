// The tree.xml reader: the input is written to a file and read with the category classes
// registered as every program registers them, whatever object the file holds. Logging is
// off, so the engine's trace costs nothing.
//
// Besides crashes and leaks, a finding is an object that the reader builds and the writer
// then saves as text that does not read back to the same text: a tree the user saves and
// cannot load again, or loads changed.

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/core/Exception.h"
#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"
#include "model/CategoryModelStartup.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// A file read, with everything the read built.
class TReadFile {
public:
    explicit TReadFile(const std::string& fileName) : Read(TXmlPersistance::FileToObject(fileName)) {}

    std::string SavedText() const { return TXmlPersistance::ObjectToXml(*Read.Object, true); }

private:
    TXmlPersistance::TReadResult Read;
};

TTempFolder& Folder()
{
    static TTempFolder folder;
    return folder;
}

// A new file each time: a file system such as ext4 flushes a file that is truncated and
// written again when it is closed, which would make every run wait for the disk.
void WriteNewFile(const std::string& fileName, const std::string& bytes)
{
    std::filesystem::remove(fileName);
    WriteFile(fileName, bytes);
}

// None when the reader refuses the file: every error it raises is an Exception with a
// message, which is all it must do with a damaged file.
std::unique_ptr<TReadFile> ReadIfAccepted(const std::string& fileName)
{
    try {
        return std::make_unique<TReadFile>(fileName);
    } catch (const Exception&) {
        return nullptr;
    }
}

std::string SavedText(const TReadFile& read, std::string_view input)
{
    try {
        return read.SavedText();
    } catch (const Exception& error) {
        ReportFinding("tree that reads and cannot be saved: " + std::string(error.what()), input);
    }
}

void CheckSavedTreeReadsBack(const std::string& fileName, const std::string& saved)
{
    WriteNewFile(fileName, saved);
    try {
        ExpectThat(TReadFile(fileName).SavedText() == saved, "saved tree that reads back changed", saved);
    } catch (const Exception& error) {
        ReportFinding("saved tree that cannot be read back: " + std::string(error.what()), saved);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartCategoryModel();
    GlobalLogLevel = llNone;
    Folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string fileName = Folder().PathOf("tree.xml");
    const std::string_view input = InputText(data, size);
    WriteNewFile(fileName, std::string(input));
    const std::unique_ptr<TReadFile> read = ReadIfAccepted(fileName);
    if (read)
        CheckSavedTreeReadsBack(fileName, SavedText(*read, input));
    return 0;
}

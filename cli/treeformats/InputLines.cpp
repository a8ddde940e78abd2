#include "cli/treeformats/InputLines.h"

#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/Text.h"

namespace {

constexpr std::size_t PieceSize = 1u << 20;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TInputLines::TInputLines(const std::string& fileName, const TStopRequest* stop) : File(fileName, stop)
{
}

// Keeps the unread rest of the buffer and appends the next piece of the file.
bool TInputLines::Fill()
{
    if (AtEnd)
        return false;
    Buffer.erase(0, Start);
    Start = 0;
    const std::size_t kept = Buffer.size();
    Buffer.resize(kept + PieceSize);
    const std::size_t read = File.Read(Buffer.data() + kept, PieceSize);
    Buffer.resize(kept + read);
    AtEnd = read == 0;
    return !AtEnd;
}

bool TInputLines::Next(std::string_view& line)
{
    std::size_t end = Buffer.find('\n', Start);
    while (end == std::string::npos) {
        // Only the newly read piece needs a search.
        const std::size_t searched = Buffer.size() - Start;
        if (!Fill())
            break;
        end = Buffer.find('\n', searched);
    }
    if (end == std::string::npos) {
        if (Start >= Buffer.size())
            return false;
        end = Buffer.size();
    }
    line = std::string_view(Buffer).substr(Start, end - Start);
    Start = end < Buffer.size() ? end + 1 : end;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (++Number == 1 && line.starts_with(ByteOrderMark))
        line.remove_prefix(ByteOrderMark.size());
    if (FirstInvalidUtf8(line) != std::string_view::npos)
        throw ETreeInputError(FileName(), Number, "not UTF-8 text; save the file as UTF-8");
    return true;
}

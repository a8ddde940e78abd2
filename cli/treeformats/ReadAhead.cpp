#include "cli/treeformats/ReadAhead.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t PieceSize = 1u << 20;
constexpr std::size_t PiecesAhead = 4;

}  // namespace

TReadAhead::TReadAhead(TInputFile& file) : File(file), Pieces(PiecesAhead), Reader([this] { ReadAll(); })
{
}

TReadAhead::~TReadAhead()
{
    Pieces.GiveUp();
    Reader.join();
}

void TReadAhead::ReadAll()
{
    try {
        while (TPiece* piece = Pieces.Empty()) {
            piece->Bytes.resize(PieceSize);
            piece->Size = File.Read(piece->Bytes.data(), piece->Bytes.size());
            const bool end = piece->Size == 0;
            Pieces.Pass(piece);
            if (end)
                break;
        }
        Pieces.Finish();
    } catch (...) {
        Pieces.Fail(std::current_exception());
    }
}

std::size_t TReadAhead::Read(char* buffer, std::size_t size)
{
    while (!AtEnd && (!Current || Taken == Current->Size)) {
        if (Current)
            Pieces.GiveBack(Current);
        Current = Pieces.Next(nullptr);
        Taken = 0;
        AtEnd = !Current || Current->Size == 0;
    }
    if (AtEnd)
        return 0;
    const std::size_t taken = std::min(size, Current->Size - Taken);
    std::memcpy(buffer, Current->Bytes.data() + Taken, taken);
    Taken += taken;
    return taken;
}

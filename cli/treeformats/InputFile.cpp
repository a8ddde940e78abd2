#include "cli/treeformats/InputFile.h"

#include "cli/treeformats/TreeFormatErrors.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr std::size_t RawPieceSize = 1u << 20;
constexpr int WaitSliceMilliseconds = 50;
constexpr unsigned char GzipMagic[] = {0x1F, 0x8B};
// Window bits for inflate that ask for a gzip header and trailer.
constexpr int GzipWindowBits = 15 + 16;

}  // namespace

struct TInputFile::TInflater {
    z_stream Stream{};
    bool MemberEnded = false;
    bool Finished = false;

    TInflater()
    {
        if (inflateInit2(&Stream, GzipWindowBits) != Z_OK)
            throw std::bad_alloc();
    }
    ~TInflater() { inflateEnd(&Stream); }
};

TInputFile::TInputFile(std::string fileName, const TStopRequest* stop) : Name(std::move(fileName)), Stop(stop)
{
    Descriptor = ::open(Name.c_str(), O_RDONLY | O_CLOEXEC);
    if (Descriptor < 0)
        Fail(std::string("cannot be opened: ") + std::strerror(errno));
}

TInputFile::~TInputFile()
{
    ::close(Descriptor);
}

void TInputFile::Fail(const std::string& reason) const
{
    throw ETreeInputError(Name, reason);
}

// Waits in slices until the file has data or ends, then reads what there is.
std::size_t TInputFile::ReadSome(void* buffer, std::size_t size)
{
    for (;;) {
        if (Stop)
            Stop->ThrowIfRequested();
        pollfd ready{Descriptor, POLLIN, 0};
        const int polled = ::poll(&ready, 1, WaitSliceMilliseconds);
        if (polled < 0 && errno != EINTR)
            Fail(std::string("cannot be read: ") + std::strerror(errno));
        if (polled <= 0)
            continue;
        const ssize_t read = ::read(Descriptor, buffer, size);
        if (read >= 0)
            return static_cast<std::size_t>(read);
        if (errno != EINTR && errno != EAGAIN)
            Fail(std::string("cannot be read: ") + std::strerror(errno));
    }
}

void TInputFile::LearnFormat()
{
    Raw.resize(RawPieceSize);
    std::size_t have = 0;
    while (have < sizeof GzipMagic) {
        const std::size_t read = ReadSome(Raw.data() + have, Raw.size() - have);
        if (read == 0)
            break;
        have += read;
    }
    Raw.resize(have);
    FormatKnown = true;
    if (have >= sizeof GzipMagic && std::equal(std::begin(GzipMagic), std::end(GzipMagic), Raw.begin()))
        Inflater = std::make_unique<TInflater>();
}

bool TInputFile::IsCompressed()
{
    if (!FormatKnown)
        LearnFormat();
    return Inflater != nullptr;
}

std::size_t TInputFile::TakeRaw(char* buffer, std::size_t size)
{
    const std::size_t taken = std::min(size, Raw.size() - RawStart);
    std::memcpy(buffer, Raw.data() + RawStart, taken);
    RawStart += taken;
    return taken;
}

std::size_t TInputFile::Read(char* buffer, std::size_t size)
{
    if (!FormatKnown)
        LearnFormat();
    if (Inflater)
        return Inflate(buffer, size);
    if (RawStart < Raw.size())
        return TakeRaw(buffer, size);
    return ReadSome(buffer, size);
}

// A gzip file may hold several members one after the other; it ends well only at the end of
// one.
std::size_t TInputFile::Inflate(char* buffer, std::size_t size)
{
    if (Inflater->Finished)
        return 0;
    z_stream& stream = Inflater->Stream;
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
    while (stream.avail_out > 0) {
        if (RawStart == Raw.size()) {
            Raw.resize(RawPieceSize);
            Raw.resize(ReadSome(Raw.data(), Raw.size()));
            RawStart = 0;
            if (Raw.empty()) {
                if (!Inflater->MemberEnded)
                    Fail("cannot be read: the compressed data is cut short");
                break;
            }
        }
        if (Inflater->MemberEnded) {
            // Bytes after the last member that start no new one are no data; gzip passes them over too.
            if (Raw[RawStart] != GzipMagic[0]) {
                Inflater->Finished = true;
                break;
            }
            inflateReset(&stream);
            Inflater->MemberEnded = false;
        }
        stream.next_in = Raw.data() + RawStart;
        stream.avail_in = static_cast<uInt>(Raw.size() - RawStart);
        const int result = inflate(&stream, Z_NO_FLUSH);
        RawStart = Raw.size() - stream.avail_in;
        if (result == Z_STREAM_END)
            Inflater->MemberEnded = true;
        else if (result != Z_OK && result != Z_BUF_ERROR)
            Fail(std::string("cannot be read: broken compressed data (") + (stream.msg ? stream.msg : "zlib") + ")");
    }
    return size - stream.avail_out;
}

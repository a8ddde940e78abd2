#include "cli/treeformats/InputFile.h"

#include "cli/treeformats/TreeFormatErrors.h"

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

constexpr unsigned BufferSize = 1u << 20;

gzFile Handle(void* file) { return static_cast<gzFile>(file); }

}  // namespace

TInputFile::TInputFile(std::string fileName, const TStopRequest* stop)
    : Name(std::move(fileName)), Stop(stop), File(nullptr)
{
    errno = 0;
    gzFile file = gzopen(Name.c_str(), "rbe");
    if (!file)
        throw ETreeInputError(Name, std::string("cannot be opened: ") +
                                        (errno != 0 ? std::strerror(errno) : "out of memory"));
    gzbuffer(file, BufferSize);
    File = file;
}

TInputFile::~TInputFile()
{
    gzclose(Handle(File));
}

std::size_t TInputFile::Read(char* buffer, std::size_t size)
{
    if (Stop)
        Stop->ThrowIfRequested();
    const auto wanted = static_cast<unsigned>(size < UINT_MAX ? size : UINT_MAX);
    const int read = gzread(Handle(File), buffer, wanted);
    int error = Z_OK;
    const char* reason = gzerror(Handle(File), &error);
    if (read < 0 || (error != Z_OK && error != Z_BUF_ERROR))
        throw ETreeInputError(Name, std::string("cannot be read: ") +
                                        (error == Z_ERRNO ? std::strerror(errno) : reason));
    // At the end of the input, Z_BUF_ERROR tells that a gzip stream ended midway.
    if (read == 0 && error == Z_BUF_ERROR)
        throw ETreeInputError(Name, "cannot be read: the compressed data is cut short");
    return static_cast<std::size_t>(read);
}

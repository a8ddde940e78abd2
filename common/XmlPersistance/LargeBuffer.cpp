#include "common/XmlPersistance/LargeBuffer.h"

#include <sys/mman.h>

#include <new>
#include <utility>

TLargeBuffer::TLargeBuffer(std::size_t capacity) : Capacity(capacity)
{
    void* memory = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Only advice: where large pages are not to be had, the buffer works as it is.
    static_cast<void>(::madvise(memory, capacity, MADV_HUGEPAGE));
    Data = static_cast<char*>(memory);
}

TLargeBuffer::~TLargeBuffer()
{
    if (Data)
        ::munmap(Data, Capacity);
}

TLargeBuffer::TLargeBuffer(TLargeBuffer&& other) noexcept
    : Data(std::exchange(other.Data, nullptr)), Capacity(std::exchange(other.Capacity, 0))
{
}

TLargeBuffer& TLargeBuffer::operator=(TLargeBuffer&& other) noexcept
{
    std::swap(Data, other.Data);
    std::swap(Capacity, other.Capacity);
    return *this;
}

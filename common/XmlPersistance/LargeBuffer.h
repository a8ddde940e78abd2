#pragma once

#include <cstddef>

// Memory for a text of many megabytes, in pages the system may make large: a document is
// read into it and parsed in place, and large pages spare most of the faults of the first
// touch and most of the misses of the address cache while the parser walks the text.
class TLargeBuffer {
public:
    TLargeBuffer() = default;
    // Raises std::bad_alloc when the memory cannot be had.
    explicit TLargeBuffer(std::size_t capacity);
    ~TLargeBuffer();
    TLargeBuffer(TLargeBuffer&& other) noexcept;
    TLargeBuffer& operator=(TLargeBuffer&& other) noexcept;

    char* get() const { return Data; }

private:
    char* Data = nullptr;
    std::size_t Capacity = 0;
};

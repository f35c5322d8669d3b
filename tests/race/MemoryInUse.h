#pragma once

#include <malloc.h>

#include <cstddef>

// Bytes the process has allocated and not freed, from the C library's allocator. Sanitizer
// builds allocate elsewhere, so there the figure is not measurable.
struct MemoryInUse {
    bool measurable;
    std::size_t bytes;
};

inline MemoryInUse memoryInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return {false, 0};
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return {false, 0};
#endif
#endif
    const struct mallinfo2 info = mallinfo2();
    return {true, info.uordblks + info.hblkhd};
}

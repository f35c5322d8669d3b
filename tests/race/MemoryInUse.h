#pragma once

#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <string>

// Bytes the process has allocated and not freed, from the C library's allocator. Sanitizer
// builds allocate elsewhere, so there the figure is not measurable.
struct MemoryInUse {
    bool measurable = false;
    std::size_t bytes = 0;
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

// The process's peak resident memory (VmHWM) in bytes; 0 if the kernel does not say.
inline std::size_t peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::strtoull(line.c_str() + 6, nullptr, 10) * 1024;
    return 0;
}

// Restarts the peak from what is resident now, so that a test measures its own peak whatever
// ran before it in the process; false if the kernel does not allow it.
inline bool restartPeakResident() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.close();
    return static_cast<bool>(clearRefs);
}

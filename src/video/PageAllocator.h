// Memory for large pixel buffers straight from the kernel, given back whole when freed. From the
// heap, a dropped keyframe's pages stay with the process, and a video held about 50 MB more.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>

namespace morvale {

template <typename T>
struct PageAllocator {
    using value_type = T;

    PageAllocator() = default;
    template <typename U>
    PageAllocator(const PageAllocator<U>&) {}

    T* allocate(std::size_t n) {
        void* p = mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) { munmap(p, n * sizeof(T)); }

    template <typename U>
    bool operator==(const PageAllocator<U>&) const {
        return true;
    }
};

}  // namespace morvale

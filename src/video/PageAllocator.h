// Memory for large pixel buffers straight from the kernel, given back whole when freed. From the
// heap, a dropped keyframe's pages stay with the process, and a video held about 50 MB more.
// The kernel's pages come zeroed, so elements are not zeroed again.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <utility>

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

    // Default-initialises: on zeroed pages that is zero for the pixel types held here.
    template <typename U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    bool operator==(const PageAllocator<U>&) const {
        return true;
    }
};

}  // namespace morvale

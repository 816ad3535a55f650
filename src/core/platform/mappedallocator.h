// An allocator that maps every block from the system and unmaps it when it
// is freed. For the few large arrays that come and go with a window (the
// row ids of a million-row list): their memory goes back to the system at
// once, whichever thread made them, instead of staying with the heap.
#pragma once

#include <cstddef>
#include <new>
#include <sys/mman.h>

namespace kelm {

template <typename T>
struct MappedAllocator {
    using value_type = T;

    MappedAllocator() = default;
    template <typename U>
    MappedAllocator(const MappedAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t n)
    {
        void *p = ::mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        return static_cast<T *>(p);
    }
    void deallocate(T *p, std::size_t n) noexcept { ::munmap(p, n * sizeof(T)); }

    template <typename U>
    bool operator==(const MappedAllocator<U> &) const noexcept
    {
        return true;
    }
};

} // namespace kelm

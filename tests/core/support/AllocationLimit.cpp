#include "support/AllocationLimit.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> g_limit{SIZE_MAX};
} // namespace

AllocationLimit::AllocationLimit(std::size_t bytes) : m_previous(g_limit.exchange(bytes)) {}

AllocationLimit::~AllocationLimit() {
    g_limit = m_previous;
}

void* operator new(std::size_t size) {
    if (size > g_limit.load(std::memory_order_relaxed))
        throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

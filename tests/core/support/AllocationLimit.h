// Makes large allocations fail on purpose, so that tests reach the out-of-memory paths at will.
#pragma once

#include <cstddef>

// While one lives, every single operator new asking for more than `bytes` throws
// std::bad_alloc (core_tests replaces the global operator new for this).
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    std::size_t m_previous;
};

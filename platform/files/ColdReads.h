#pragma once

#include <atomic>
#include <cstdint>

namespace markroll {

// Reads of a listed folder's entries that had to wait for the disk, told by
// the reader and watched by the listing, which then reads ahead.
class ColdReads {
public:
    void noteColdRead() const { coldReads_.fetch_add(1, std::memory_order_relaxed); }
    std::uint64_t coldReads() const { return coldReads_.load(std::memory_order_relaxed); }

private:
    mutable std::atomic<std::uint64_t> coldReads_{0};
};

} // namespace markroll

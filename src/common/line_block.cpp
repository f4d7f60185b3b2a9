#include "common/line_block.hpp"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

namespace qrb {

namespace {

constexpr std::size_t kExactBelow = 64;

// The characters a block of a text of `size` characters has room for: the
// size itself when short, else the size rounded up in its top four bits.
std::size_t room_for(std::size_t size)
{
    if (size < kExactBelow) return size;
    const std::size_t shift = std::bit_width(size) - 4;
    return ((size >> shift) + 1) << shift;
}

}  // namespace

LineBlock::~LineBlock() { std::free(block_); }

LineBlock::LineBlock(LineBlock&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}

LineBlock& LineBlock::operator=(LineBlock&& other) noexcept
{
    std::swap(block_, other.block_);
    return *this;
}

void LineBlock::grow(std::size_t size)
{
    constexpr std::size_t kLongest = std::numeric_limits<std::uint32_t>::max();
    if (size > kLongest) throw std::bad_alloc();
    const std::size_t room = std::min(room_for(size), kLongest);
    Head head = this->head();
    void* grown = std::realloc(block_, sizeof(Head) + room);
    if (!grown) throw std::bad_alloc();
    block_ = static_cast<char*>(grown);
    head.room = static_cast<std::uint32_t>(room);
    std::memcpy(block_, &head, sizeof head);
}

}  // namespace qrb

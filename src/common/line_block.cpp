#include "common/line_block.hpp"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace qrb {

namespace {

constexpr std::size_t kLengthSize = sizeof(std::uint32_t);
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

std::size_t LineBlock::size() const
{
    if (!block_) return 0;
    std::uint32_t size = 0;
    std::memcpy(&size, block_, kLengthSize);
    return size;
}

std::string_view LineBlock::view() const { return {block_ ? block_ + kLengthSize : nullptr, size()}; }

void LineBlock::append(std::string_view text)
{
    if (text.empty()) return;
    const std::size_t old_size = size();
    const std::size_t new_size = old_size + text.size();
    if (new_size > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
    if (!block_ || room_for(new_size) != room_for(old_size)) {
        void* grown = std::realloc(block_, kLengthSize + room_for(new_size));
        if (!grown) throw std::bad_alloc();
        block_ = static_cast<char*>(grown);
    }
    std::memcpy(block_ + kLengthSize + old_size, text.data(), text.size());
    const auto stored = static_cast<std::uint32_t>(new_size);
    std::memcpy(block_, &stored, kLengthSize);
}

}  // namespace qrb

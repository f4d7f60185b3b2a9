#pragma once
// Text that only grows at its end, held as one block of memory with its
// length in front: 8 bytes when empty, and about its characters when not. A
// short text is held exactly; a longer one grows by an eighth or so at a time
// (the block is reallocated, which large blocks do without copying).
#include <cstddef>
#include <string_view>

namespace qrb {

class LineBlock {
public:
    LineBlock() = default;
    ~LineBlock();
    LineBlock(LineBlock&& other) noexcept;
    LineBlock& operator=(LineBlock&& other) noexcept;
    LineBlock(const LineBlock&) = delete;
    LineBlock& operator=(const LineBlock&) = delete;

    void append(std::string_view text);
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    std::string_view view() const;

private:
    char* block_ = nullptr;  // the length (32 bits), then the characters
};

}  // namespace qrb

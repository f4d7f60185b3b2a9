#pragma once
// Text that only grows at its end, held as one block of memory with its
// length and room in front: 8 bytes when never used, and about its characters
// when not. A short text is held exactly; a longer one grows by an eighth or
// so at a time (the block is reallocated, which large blocks do without
// copying). Emptied, a block keeps its room for the next text.
#include <cstddef>
#include <cstdint>
#include <cstring>
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

    void append(std::string_view text)
    {
        if (text.empty()) return;
        const Head head = this->head();
        if (text.size() > head.room - head.size) grow(head.size + text.size());
        std::memcpy(block_ + sizeof(Head) + head.size, text.data(), text.size());
        set_size(head.size + static_cast<std::uint32_t>(text.size()));
    }
    // Empties the text; the room stays.
    void clear()
    {
        if (block_) set_size(0);
    }
    std::size_t size() const { return head().size; }
    bool empty() const { return size() == 0; }
    // The characters the block holds without growing.
    std::size_t room() const { return head().room; }
    std::string_view view() const { return {block_ ? block_ + sizeof(Head) : nullptr, size()}; }

private:
    struct Head {
        std::uint32_t size = 0;
        std::uint32_t room = 0;
    };
    Head head() const
    {
        Head head;
        if (block_) std::memcpy(&head, block_, sizeof head);
        return head;
    }
    void set_size(std::uint32_t size) { std::memcpy(block_, &size, sizeof size); }
    // Room for a text of `size` characters, the text kept.
    void grow(std::size_t size);

    char* block_ = nullptr;  // the length and the room (32 bits each), then the characters
};

}  // namespace qrb

#include "common/packed_texts.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace qrb {

namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// Sizes as 7 bits a byte, the last byte below 128.
std::size_t varint_size(std::size_t value)
{
    std::size_t n = 1;
    for (; value >= 0x80; value >>= 7) ++n;
    return n;
}

std::size_t read_varint(std::string_view text, std::size_t& pos)
{
    std::size_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(text[pos++]);
        value |= std::size_t{byte & 0x7Fu} << shift;
        if (byte < 0x80) return value;
    }
}

}  // namespace

void PackedTexts::push_back(std::initializer_list<std::string_view> texts)
{
    if (texts.size() > kMaxTexts) throw std::logic_error("PackedTexts: too many texts in a record");
    std::size_t size = varint_size(texts.size());
    for (const std::string_view text : texts) size += varint_size(text.size()) + text.size();
    // A record is never split: a piece too full for it is left as it is.
    if (pieces_.empty() || pieces_.back().capacity() - pieces_.back().size() < size)
        pieces_.emplace_back().reserve(std::max(kPieceSize, size));
    std::string& piece = pieces_.back();
    char room[16];
    piece.append(number_text(texts.size(), room));
    for (const std::string_view text : texts) {
        piece.append(number_text(text.size(), room));
        piece.append(text);
    }
    ++count_;
}

void PackedTexts::clear()
{
    pieces_.clear();
    count_ = 0;
}

void PackedTexts::for_each(const std::function<void(std::span<const std::string_view>)>& visit) const
{
    std::array<std::string_view, kMaxTexts> texts;
    for (const std::string_view piece : pieces_) {
        for (std::size_t pos = 0; pos < piece.size();) {
            const std::size_t n = read_varint(piece, pos);
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t size = read_varint(piece, pos);
                texts[k] = piece.substr(pos, size);
                pos += size;
            }
            visit(std::span<const std::string_view>(texts.data(), n));
        }
    }
}

std::string_view PackedTexts::number_text(std::size_t value, char (&room)[16])
{
    std::size_t n = 0;
    for (; value >= 0x80; value >>= 7) room[n++] = static_cast<char>((value & 0x7F) | 0x80);
    room[n++] = static_cast<char>(value);
    return {room, n};
}

std::size_t PackedTexts::text_number(std::string_view text)
{
    std::size_t pos = 0;
    return read_varint(text, pos);
}

}  // namespace qrb

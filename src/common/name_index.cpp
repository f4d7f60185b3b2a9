#include "common/name_index.hpp"

#include <algorithm>

#include "common/text.hpp"

namespace qrb {

void NameIndex::clear()
{
    slots_.clear();
    used_ = 0;
}

std::uint32_t NameIndex::hash(std::string_view name) const
{
    // FNV-1a over the bytes as compared, folded to 32 bits.
    std::uint64_t h = 14695981039346656037u;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        h ^= case_ == Case::Counts ? byte : upper_byte(byte);
        h *= 1099511628211u;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

bool NameIndex::equal(std::string_view a, std::string_view b) const
{
    return case_ == Case::Counts ? a == b : equal_ignore_case(a, b);
}

void NameIndex::grow()
{
    std::vector<std::uint64_t> old(std::max<std::size_t>(16, slots_.size() * 2), 0);
    old.swap(slots_);
    for (const std::uint64_t slot : old) {
        if (slot == 0) continue;
        std::size_t i = tag_of(slot) & mask();
        while (slots_[i] != 0) i = (i + 1) & mask();
        slots_[i] = slot;
    }
}

}  // namespace qrb

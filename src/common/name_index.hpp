#pragma once
// An index of names by their first position in a table that keeps the names
// itself: one flat array of 8-byte slots (a 32-bit hash of the name and the
// position), probed in turn from the slot the hash gives. A lookup compares
// the names the table holds at the positions whose hash matches, so the index
// costs no string, no node and no pointer chase per name.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qrb {

class NameIndex {
public:
    // Names equal byte by byte, or equal once upper-cased (as ucase does).
    enum class Case { Counts, Ignored };

    explicit NameIndex(Case compare = Case::Counts) : case_(compare) {}

    void clear();
    // The position of the first indexed name equal to `name`; `name_at`
    // gives the table's name at a position.
    template <class NameAt>
    std::optional<std::size_t> find(std::string_view name, const NameAt& name_at) const;
    // Indexes the name at `position` unless an equal name is indexed already
    // (the first occurrence is the one found).
    template <class NameAt>
    void add(std::size_t position, const NameAt& name_at);

private:
    std::uint32_t hash(std::string_view name) const;
    bool equal(std::string_view a, std::string_view b) const;
    void grow();
    std::size_t mask() const { return slots_.size() - 1; }
    static std::uint32_t tag_of(std::uint64_t slot) { return static_cast<std::uint32_t>(slot >> 32); }
    // A slot holds the position plus one in its low 32 bits (a table holds
    // far fewer names): 0 marks an empty slot.
    static std::size_t position_of(std::uint64_t slot) { return static_cast<std::size_t>(slot & 0xFFFFFFFFu) - 1; }

    Case case_;
    std::vector<std::uint64_t> slots_;  // a power of two of them, at most 3/4 used
    std::size_t used_ = 0;
};

template <class NameAt>
std::optional<std::size_t> NameIndex::find(std::string_view name, const NameAt& name_at) const
{
    if (slots_.empty()) return std::nullopt;
    const std::uint32_t tag = hash(name);
    for (std::size_t i = tag & mask(); slots_[i] != 0; i = (i + 1) & mask())
        if (tag_of(slots_[i]) == tag && equal(name_at(position_of(slots_[i])), name)) return position_of(slots_[i]);
    return std::nullopt;
}

template <class NameAt>
void NameIndex::add(std::size_t position, const NameAt& name_at)
{
    if ((used_ + 1) * 4 > slots_.size() * 3) grow();
    const std::string_view name = name_at(position);
    const std::uint32_t tag = hash(name);
    std::size_t i = tag & mask();
    for (; slots_[i] != 0; i = (i + 1) & mask())
        if (tag_of(slots_[i]) == tag && equal(name_at(position_of(slots_[i])), name)) return;
    slots_[i] = std::uint64_t{tag} << 32 | static_cast<std::uint32_t>(position + 1);
    ++used_;
}

}  // namespace qrb

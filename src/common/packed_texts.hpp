#pragma once
// Records of a few texts each, kept one after another in large pieces of
// memory: a record costs its characters and a byte or so a text, never a
// string of its own, and the list never copies itself as it grows.
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrb {

class PackedTexts {
public:
    static constexpr std::size_t kMaxTexts = 8;

    // One record of at most kMaxTexts texts.
    void push_back(std::initializer_list<std::string_view> texts);
    void clear();
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // Each record in order, as views of its texts.
    void for_each(const std::function<void(std::span<const std::string_view>)>& visit) const;

    // A number as a short text, for a record field.
    static std::string_view number_text(std::size_t value, char (&room)[16]);
    static std::size_t text_number(std::string_view text);

private:
    std::vector<std::string> pieces_;
    std::size_t count_ = 0;
};

}  // namespace qrb

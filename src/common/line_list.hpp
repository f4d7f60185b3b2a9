#pragma once
// A list of text lines kept in one piece of text with the end of each line:
// a line costs its characters and one position, not a string of its own.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qrb {

class LineList {
public:
    class Iterator {
    public:
        Iterator(const LineList& list, std::size_t index) : list_(&list), index_(index) {}
        std::string_view operator*() const { return (*list_)[index_]; }
        Iterator& operator++()
        {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const LineList* list_;
        std::size_t index_;
    };

    void push_back(std::string_view line)
    {
        text_.append(line);
        ends_.push_back(text_.size());
    }
    void clear()
    {
        text_.clear();
        ends_.clear();
    }
    bool empty() const { return ends_.empty(); }
    std::size_t size() const { return ends_.size(); }
    // Views into the list, valid until the next push_back or clear.
    std::string_view operator[](std::size_t k) const
    {
        const std::size_t start = k == 0 ? 0 : ends_[k - 1];
        return std::string_view(text_).substr(start, ends_[k] - start);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, size()); }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

}  // namespace qrb

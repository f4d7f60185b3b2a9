#pragma once
// A short list of values of a trivially copyable type, in place: the room is
// left uninitialised (the lists made once per line read cost nothing to
// start), and only the first size() values exist.
#include <cstddef>
#include <memory>
#include <type_traits>

namespace qrb {

template <class T, std::size_t N>
class ShortList {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    ShortList() {}
    // At most N values are pushed: the callers stop at N.
    void push_back(const T& value) { std::construct_at(&room_.items[size_++], value); }
    std::size_t size() const { return size_; }
    const T& operator[](std::size_t k) const { return room_.items[k]; }
    T& operator[](std::size_t k) { return room_.items[k]; }
    const T* begin() const { return room_.items; }
    const T* end() const { return room_.items + size_; }

private:
    union Room {
        Room() {}
        T items[N];
    } room_;
    std::size_t size_ = 0;
};

}  // namespace qrb

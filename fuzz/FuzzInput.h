// Takes typed values off the front of a fuzzer's byte string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace morvale::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T Take() {
        T value{};
        const std::size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    int TakeInt(int lo, int hi) {
        const auto span = std::uint64_t(std::int64_t(hi) - lo) + 1;
        return int(lo + std::int64_t(Take<std::uint32_t>() % span));
    }
    // A text up to the next NUL byte (or the end).
    std::string TakeText() {
        std::size_t n = 0;
        while (n < size_ && data_[n] != 0) ++n;
        std::string text(reinterpret_cast<const char*>(data_), n);
        const std::size_t used = n < size_ ? n + 1 : n;
        data_ += used;
        size_ -= used;
        return text;
    }
    bool Empty() const { return size_ == 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace morvale::fuzz

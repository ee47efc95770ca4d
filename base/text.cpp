#include "base/text.h"

#include <cstring>
#include <cwchar>
#include <utility>

#include "base/heap.h"

Text::Text(const wchar_t* text) : Text(text, std::wcslen(text)) {}

Text::Text(const wchar_t* text, std::size_t length) { assign(text, length); }

Text::Text(const Text& other) : Text(other.c_str(), other.size()) {}

Text::Text(Text&& other) noexcept
    : chars_(std::exchange(other.chars_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

Text& Text::operator=(const Text& other) {
    if (this != &other) assign(other.c_str(), other.size());
    return *this;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        ReleaseHeapMemory(chars_);
        chars_ = std::exchange(other.chars_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

Text::~Text() { ReleaseHeapMemory(chars_); }

bool Text::TryReserve(std::size_t length) {
    if (chars_ != nullptr && length <= capacity_) return true;
    std::size_t capacity = capacity_ < 15 ? 15 : capacity_;
    while (capacity < length) capacity = capacity > npos / 4 ? length : capacity * 2;
    if (capacity == npos) return false;
    auto* chars = static_cast<wchar_t*>(TryHeapMemory(capacity + 1, sizeof(wchar_t)));
    if (chars == nullptr) return false;
    if (chars_ != nullptr) std::memcpy(chars, chars_, (size_ + 1) * sizeof(wchar_t));
    else chars[0] = L'\0';
    ReleaseHeapMemory(chars_);
    chars_ = chars;
    capacity_ = capacity;
    return true;
}

wchar_t* Text::data() {
    if (!TryReserve(size_)) OutOfMemory();
    return chars_;
}

bool Text::TryAssign(const wchar_t* text, std::size_t length) {
    // The source may lie inside this text: keep it until it is copied.
    if (chars_ != nullptr && text >= chars_ && text <= chars_ + size_) {
        Text copy;
        if (!copy.TryAssign(text, length)) return false;
        *this = std::move(copy);
        return true;
    }
    if (!TryReserve(length)) return false;
    std::memcpy(chars_, text, length * sizeof(wchar_t));
    size_ = length;
    chars_[size_] = L'\0';
    return true;
}

void Text::assign(const wchar_t* text, std::size_t length) {
    if (!TryAssign(text, length)) OutOfMemory();
}

Text& Text::append(const wchar_t* text, std::size_t length) {
    if (length > npos / 2 - size_) OutOfMemory();
    if (chars_ != nullptr && text >= chars_ && text <= chars_ + size_) {
        const Text copy(text, length);
        return append(copy.c_str(), copy.size());
    }
    if (!TryReserve(size_ + length)) OutOfMemory();
    std::memcpy(chars_ + size_, text, length * sizeof(wchar_t));
    size_ += length;
    chars_[size_] = L'\0';
    return *this;
}

Text& Text::operator+=(const wchar_t* text) { return append(text, std::wcslen(text)); }

void Text::resize(std::size_t length) {
    if (!TryReserve(length)) OutOfMemory();
    if (length > size_) std::memset(chars_ + size_, 0, (length - size_) * sizeof(wchar_t));
    size_ = length;
    chars_[size_] = L'\0';
}

void Text::clear() {
    size_ = 0;
    if (chars_ != nullptr) chars_[0] = L'\0';
}

std::size_t Text::find(wchar_t c, std::size_t from) const {
    for (std::size_t at = from; at < size_; ++at) {
        if (chars_[at] == c) return at;
    }
    return npos;
}

Text Text::substr(std::size_t start, std::size_t count) const {
    if (start >= size_) return Text();
    const std::size_t available = size_ - start;
    return Text(chars_ + start, count < available ? count : available);
}

Text operator+(Text left, const Text& right) {
    left += right;
    return left;
}

bool operator==(const Text& a, const Text& b) {
    return a.size() == b.size() && std::memcmp(a.c_str(), b.c_str(), a.size() * sizeof(wchar_t)) == 0;
}

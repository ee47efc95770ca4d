#pragma once

#include <cstddef>

// An owned wide-character string on the process heap, always terminated.
// The program's own instead of std::wstring: the standard one brings the
// C++ runtime's exceptions and threads into the exe, several times the size
// of everything else in it. Running out of memory ends the process
// (OutOfMemory), except through the Try operations.
class Text {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    Text() = default;
    Text(const wchar_t* text);  // NOLINT: literals and buffers stand for texts
    Text(const wchar_t* text, std::size_t length);
    Text(const Text& other);
    Text(Text&& other) noexcept;
    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept;
    ~Text();

    const wchar_t* c_str() const { return chars_ != nullptr ? chars_ : L""; }
    // Room for size() characters and the terminator.
    wchar_t* data();
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    wchar_t operator[](std::size_t at) const { return chars_[at]; }
    wchar_t& operator[](std::size_t at) { return chars_[at]; }
    wchar_t back() const { return chars_[size_ - 1]; }
    const wchar_t* begin() const { return c_str(); }
    const wchar_t* end() const { return c_str() + size_; }

    // False, with the text as it was, when memory ran out.
    bool TryAssign(const wchar_t* text, std::size_t length);
    void assign(const wchar_t* text, std::size_t length);
    Text& append(const wchar_t* text, std::size_t length);
    Text& operator+=(const Text& text) { return append(text.c_str(), text.size()); }
    Text& operator+=(const wchar_t* text);
    Text& operator+=(wchar_t c) { return append(&c, 1); }
    // New characters are zero.
    void resize(std::size_t length);
    void clear();

    std::size_t find(wchar_t c, std::size_t from = 0) const;
    Text substr(std::size_t start, std::size_t count = npos) const;

private:
    bool TryReserve(std::size_t length);

    wchar_t* chars_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;  // without the terminator
};

Text operator+(Text left, const Text& right);
bool operator==(const Text& a, const Text& b);
inline bool operator!=(const Text& a, const Text& b) { return !(a == b); }

#pragma once

#include <cstddef>
#include <initializer_list>
#include <new>
#include <utility>

#include "base/heap.h"

// An owned, growable array on the process heap: the program's own instead
// of std::vector, for the same reason as Text. Running out of memory ends
// the process (OutOfMemory), except through TryResize.
template <typename T>
class HeapArray {
public:
    HeapArray() = default;
    explicit HeapArray(std::size_t count, const T& fill = T()) {
        Reserve(count);
        while (size_ < count) push_back(fill);
    }
    HeapArray(std::initializer_list<T> items) {
        Reserve(items.size());
        for (const T& item : items) push_back(item);
    }
    HeapArray(HeapArray&& other) noexcept
        : items_(std::exchange(other.items_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    HeapArray& operator=(HeapArray&& other) noexcept {
        if (this != &other) {
            Release();
            items_ = std::exchange(other.items_, nullptr);
            size_ = std::exchange(other.size_, 0);
            capacity_ = std::exchange(other.capacity_, 0);
        }
        return *this;
    }
    HeapArray(const HeapArray&) = delete;
    HeapArray& operator=(const HeapArray&) = delete;
    ~HeapArray() { Release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T* data() { return items_; }
    const T* data() const { return items_; }
    T& operator[](std::size_t at) { return items_[at]; }
    const T& operator[](std::size_t at) const { return items_[at]; }
    T& back() { return items_[size_ - 1]; }
    T* begin() { return items_; }
    T* end() { return items_ + size_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + size_; }

    void push_back(T item) {
        if (size_ == capacity_) Reserve(capacity_ < 4 ? 4 : capacity_ * 2);
        ::new (static_cast<void*>(items_ + size_)) T(std::move(item));
        ++size_;
    }
    void pop_back() { items_[--size_].~T(); }
    void clear() {
        while (size_ > 0) pop_back();
    }
    // False, with the array as it was, when memory ran out. New items are
    // value-initialised.
    bool TryResize(std::size_t count) {
        if (!TryReserve(count)) return false;
        while (size_ > count) pop_back();
        for (; size_ < count; ++size_) ::new (static_cast<void*>(items_ + size_)) T();
        return true;
    }
    void resize(std::size_t count) {
        if (!TryResize(count)) OutOfMemory();
    }

private:
    void Reserve(std::size_t count) {
        if (!TryReserve(count)) OutOfMemory();
    }
    bool TryReserve(std::size_t count) {
        if (count <= capacity_) return true;
        T* items = static_cast<T*>(TryHeapMemory(count, sizeof(T)));
        if (items == nullptr) return false;
        for (std::size_t i = 0; i < size_; ++i) {
            ::new (static_cast<void*>(items + i)) T(std::move(items_[i]));
            items_[i].~T();
        }
        ReleaseHeapMemory(items_);
        items_ = items;
        capacity_ = count;
        return true;
    }
    void Release() {
        clear();
        ReleaseHeapMemory(items_);
        items_ = nullptr;
        capacity_ = 0;
    }

    T* items_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

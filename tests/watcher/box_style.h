#pragma once

#include <windows.h>

// How the hook hands a box's style to the watcher: a window property whose
// value carries a marker bit, so that a style of 0 (MB_OK, no icon) is still
// told apart from a property that was never set.
inline constexpr wchar_t kBoxStyleProperty[] = L"boxwatch.style";
inline constexpr ULONG_PTR kBoxStyleMarker = 0x80000000u;

inline HANDLE EncodeBoxStyle(UINT style) {
    return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(style) | kBoxStyleMarker);
}

inline bool DecodeBoxStyle(HANDLE value, UINT& style) {
    const auto bits = reinterpret_cast<ULONG_PTR>(value);
    if (!(bits & kBoxStyleMarker)) return false;
    style = static_cast<UINT>(bits & ~kBoxStyleMarker);
    return true;
}

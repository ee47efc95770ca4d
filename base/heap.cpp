#include "base/heap.h"

#include <windows.h>

void OutOfMemory() { ExitProcess(ERROR_NOT_ENOUGH_MEMORY); }

void* TryHeapMemory(std::size_t count, std::size_t itemSize) {
    if (itemSize != 0 && count > static_cast<std::size_t>(-1) / 2 / itemSize) return nullptr;
    return HeapAlloc(GetProcessHeap(), 0, count * itemSize);
}

void ReleaseHeapMemory(void* memory) {
    if (memory != nullptr) HeapFree(GetProcessHeap(), 0, memory);
}

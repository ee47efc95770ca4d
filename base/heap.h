#pragma once

#include <cstddef>

// Ends the process with ERROR_NOT_ENOUGH_MEMORY: the program cannot go on
// without the memory it asked for, and has nothing left to report it with.
[[noreturn]] void OutOfMemory();

// Memory from the process heap, or null when there is none (or the size is
// beyond what could ever be had).
void* TryHeapMemory(std::size_t count, std::size_t itemSize);
void ReleaseHeapMemory(void* memory);

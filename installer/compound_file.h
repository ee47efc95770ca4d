#pragma once

#include <cstddef>

// True when `bytes` is a structurally sound Windows Installer package: a
// compound file with a valid header, every sector chain (allocation table,
// directory, mini-stream, each stream) and directory link within the file
// and without loops, a root of the class of an installer database, transform
// or patch, the string pool that every package's root holds, and summary
// information (if any) whose offsets and lengths stay within it. Packages
// are checked with it before the Windows Installer opens them, since Wine's
// takes the process down on damaged ones (past the end of a truncated file,
// without a string pool, or reading summary values past their stream).
bool IsSoundPackageFile(const unsigned char* bytes, std::size_t size);

#pragma once

#include "base/text.h"
#include "content/file_handle.h"

// Writes the embedded patch package ("MSP"/"IDR_MSP" of g_hInstance) byte
// for byte to `path`, emptying a file that is there. An empty `path` gets a
// new temporary file named by the temp-name rule, created exclusively; its
// name is stored in `path` as soon as it is made. On failure the thread's
// last-error value is what the failing system call left.
bool ExtractPackage(Text& path);

// The same, and on success `held` keeps the file open for reading, sharing
// it for reading only, so that until it is closed nobody can change,
// replace, rename or delete what was written (it is checked once held).
bool ExtractPackage(Text& path, FileHandle& held);

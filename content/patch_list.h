#pragma once

#include <string>

// "/p": appends the executable's patch-list entries to the file `path`, or,
// when `path` is empty, to a file named after the patch's target products.
bool WritePatchList(std::wstring& path);

#pragma once

#include <windows.h>
#include <msi.h>

#include "base/text.h"

// Opens the summary information of the package file (a relative path is
// taken against the current folder). 0 when it cannot be opened; the caller
// owns and closes a handle it gets.
MSIHANDLE OpenPackageSummary(const Text& packagePath);

// Reads the patch's target list, summary property 7: the product codes it
// targets, joined by ";". On success the text replaces `targets`; on
// failure `targets` is left as it was and the thread's last-error value
// holds the installer's error.
bool ReadPatchTargets(const Text& packagePath, Text& targets);

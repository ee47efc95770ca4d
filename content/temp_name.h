#pragma once

#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "content/file_handle.h"

// The two platform questions the temp-name rule asks; tests answer them
// with any environment and any set of existing paths.
class TempNameQueries {
public:
    // False when the variable is not set. The name is matched without
    // regard to case.
    virtual bool ReadEnvironment(const wchar_t* name, Text& value) const = 0;
    // ERROR_SUCCESS when the path exists (file or folder), otherwise the
    // error that asking for its attributes failed with.
    virtual DWORD ProbePath(const Text& path) const = 0;

protected:
    ~TempNameQueries() = default;
};

// The answers of the running system (GetEnvironmentVariableW,
// GetFileAttributesW).
const TempNameQueries& SystemTempNameQueries();

// Numbering state of the names one process makes: each request goes on
// after the number the previous one took.
struct TempNameCounter {
    std::uint32_t counter = 1;
    std::size_t prefixLength = 0;
};

// True for the errors that say a path is there but may not be looked at
// (access denied, sharing and lock violations, write protection, a drive
// that is not ready and their kin): such a name counts as taken.
bool IsAccessRefused(DWORD error);

// The temp-name rule: a free name "<dir>\<prefix><n>" in the folder that TMP
// names (with or without its quotes), else in `folder`, else in "\", else in
// "."; n counts up from the previous request, skipping taken names, for at
// most 32767 tries. False when the folder is too long or no number is free.
// Nothing is created.
bool MakeTempName(const Text& folder, const Text& prefix,
                  const TempNameQueries& queries, TempNameCounter& counter,
                  Text& name);

// Creates `name` exclusively, so that nothing planted under the name is
// followed or overwritten. When the name has been taken since it was made,
// makes the next one in `folder` by the same rule and tries again. On
// failure returns no handle and `name` is empty if no free name was left.
FileHandle CreateTempFile(Text& name, const Text& folder,
                          const Text& prefix, const TempNameQueries& queries,
                          TempNameCounter& counter);

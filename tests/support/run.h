#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/watcher/watcher.h"

// Runs `program` through the watcher in `folder`, with TMP and TEMP naming
// its subfolder "tmp" (made when missing), and expects it to start and end.
WatchedRun RunIn(const std::wstring& folder, const std::wstring& program,
                 const std::vector<std::wstring>& arguments,
                 std::function<void(const MessageBoxRecord&)> onBox = {});

#pragma once

#include "base/text.h"
#include "content/file_handle.h"

// The administrator's log of "/l <path>": one line per decision and outcome
// of the patch run, appended to the file in UTF-8 with the local time in
// front. Without a path nothing is written anywhere. The log never changes
// the thread's last-error value, which the messages read.
class RunLog {
public:
    explicit RunLog(const Text& path);

    bool enabled() const { return static_cast<bool>(file_); }
    void Write(const Text& line);

private:
    FileHandle file_;
};

#pragma once

#include <string>

// One installed target product of the patch run: what it is, what the
// patch expects of it, and the command line it was reconfigured with.
struct TargetProduct {
    std::wstring productCode;
    std::wstring targetVersion;
    std::wstring productName;
    std::wstring language;
    std::wstring commandLine;
    std::wstring applicableVersions;
    std::wstring installedVersion;
};

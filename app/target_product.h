#pragma once

#include "base/text.h"

// One installed target product of the patch run: what it is, what the
// patch expects of it, and the command line it was reconfigured with.
struct TargetProduct {
    Text productCode;
    Text targetVersion;
    Text productName;
    Text language;
    Text commandLine;
    Text applicableVersions;
    Text installedVersion;
};

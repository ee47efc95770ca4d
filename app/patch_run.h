#pragma once

#include <windows.h>

// The default run: writes the embedded patch to a temporary file, finds
// which of its target products are installed, and for each one applies the
// patch (installed version among the applicable ones), passes it over
// (already at the target version) or refuses it (any other version),
// reporting every outcome in the product's language. The temporary file is
// deleted at every end of the run. Returns the run's exit code (see
// app/exit_code.h).
DWORD RunPatch();

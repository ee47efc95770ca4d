#include "app/patch_run.h"

void RunPatch() {
    // Not built yet: the default run does nothing until the installer
    // queries and messages it needs are in place.
}

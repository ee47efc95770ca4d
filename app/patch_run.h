#pragma once

// The default run: applies the embedded patch to every installed target
// product whose version it fits, reporting each outcome.
void RunPatch();

#pragma once

// "/i": shows the embedded patch's target product codes in one box,
// whether or not the run is quiet; an empty box when the package cannot be
// written out or read. False in that case, with the reason in the thread's
// last-error value.
bool ShowProductList();

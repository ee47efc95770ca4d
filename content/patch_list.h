#pragma once

#include "base/text.h"

// The file name of an export without a name of its own: "patchlist", the
// four characters after the first "-" (or the first four, without one) of
// what follows the first ":" of the target list (or all of it), and ".txt".
// Characters that no file name may hold become "_".
Text MakePatchListName(const Text& targets);

// "/p": appends each patch-list entry of the exe ("TXT" 206, 207, ... up to
// the first missing id) to the file `path` as a block: a line of five
// asterisks, the entry's bytes as stored, and CR LF. Nothing already in the
// file is read or changed. An empty `path` receives the name made from the
// patch's target list ("patchlist.txt" when the list cannot be had). False
// when the file cannot be opened (message 310) or a block cannot be written
// (message 300, the blocks before it stay); the reason is then in the
// thread's last-error value.
bool WritePatchList(Text& path);

// What the two lists do for the user besides showing rows, from keys and from the results
// menu: select every row, copy the selected rows, remove the selected folders. On the dialog
// thread, while no search runs (the lists are disabled then).
#pragma once

#include <windows.h>
#include <commctrl.h>

// LVN_KEYDOWN from either list: Ctrl+A selects every row, Ctrl+C copies the selected rows,
// Delete removes the selected folders from the path list. Other keys are the list's own.
void OnListKey(const NMLVKEYDOWN& key);

// The selected found files, in list order: their full paths as text and the files themselves,
// or with names, just their names as text.
void CopySelectedResults(bool names);

// Folders dropped on the dialog from the file browser, added as if typed and Added; a dropped
// file adds its folder. On the dialog thread.
#pragma once

#include <windows.h>

// Lets drops reach the dialog, also when the program runs elevated and the file browser not.
void AcceptFolderDrops(HWND dialog);

// WM_DROPFILES: adds the dropped folders in the order dropped, unless a search runs (its
// controls are disabled then, the dialog is not). The drop is finished either way.
void OnFolderDrop(HWND dialog, HDROP drop);

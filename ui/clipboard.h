// Texts and files put on the clipboard, each set in one write. On the dialog thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/handles.h"

// A DROPFILES block naming the files by their whole UTF-16 paths, of any length: what the file
// browser pastes, and what a drop on a window carries. Empty when there is no memory for it.
GlobalMemory MakeFileDrop(const std::vector<std::string>& paths);

// Puts the lines on the clipboard as text, CRLF between them. With asFiles, the same write also
// puts the files themselves, marked to be copied, so pasting into the file browser copies them.
// False when the clipboard can't be had (another program holds it) or memory runs short.
bool CopyToClipboard(HWND owner, const std::vector<std::string>& lines, bool asFiles);

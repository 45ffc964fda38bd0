// The list of folders to search, kept only in the path list view: added by typing or
// browsing, checked for existence and overlap, removed from the context menu.
#pragma once

#include <string>

// The Add button: adds the typed folder, or opens the folder browser when the edit is empty.
void OnAddCommand();

// Normalises path in place and adds it as the top row. 1 when a row was inserted; 0 when
// there was nothing to add, it was refused, or it replaced a row inside it.
int AddSearchPath(std::string& path);

// Remove: deletes the row at the selection mark, if there is one.
void RemoveSelectedPath();

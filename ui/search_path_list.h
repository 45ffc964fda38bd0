// The list of folders to search, kept only in the path list view: added by typing or
// browsing, checked for existence and overlap, removed from the context menu.
#pragma once

#include <string>
#include <vector>

// The Add button: adds the typed folder, or opens the folder browser when the edit is empty.
void OnAddCommand();

// Folders refused while several are added in one go, by reason: one box for each reason.
struct PathRefusals {
    std::vector<std::string> notAccessible;
    std::vector<std::string> alreadyIncluded;
};

// Normalises path in place and adds it as the top row. 1 when a row was inserted; 0 when
// there was nothing to add, it was refused, or it replaced a row inside it. A refusal shows
// its box at once, or, given refusals, is noted there.
int AddSearchPath(std::string& path, PathRefusals* refusals = nullptr);

// One box per reason, listing the folders refused for it.
void ShowPathRefusals(const PathRefusals& refusals);

// Remove: deletes the row at the selection mark, if there is one.
void RemoveSelectedPath();
// Delete: deletes every selected row.
void RemoveSelectedPaths();

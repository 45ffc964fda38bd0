// Folders given to the dialog from outside, by the command line or a drop from the file
// browser: each is made whole, a file stands for its folder, and each is added as if typed and
// Added, in the order given. The same folder given twice is added once; what is refused is told
// in one box per reason. On the dialog thread.
#pragma once

#include <string>
#include <vector>

void AddGivenFolders(const std::vector<std::string>& paths);

// The file browser's menu entry "Search contents with Scourwell" on folders, folder
// backgrounds and drives: written for the current user alone, only when asked, and removed
// again. Nothing else of the program touches the registry.
#pragma once

#include <string>

// What a change of the menu came to: whether it worked, and what to tell the user.
struct ShellMenuOutcome {
    bool ok = false;
    std::string message;
};

// Writes the three keys, each opening the program at exePath on the folder clicked.
ShellMenuOutcome InstallShellMenu(const std::wstring& exePath);
// Deletes exactly those three keys with what is under them.
ShellMenuOutcome RemoveShellMenu();

// The command line's /install-menu (install true) or /remove-menu: does it, says the outcome
// in a box titled "Scourwell" and returns the exit code, 0 on success and 1 on failure.
int RunShellMenuCommand(bool install);

// Hands a found file to the system's file browser. The launch itself goes through a
// replaceable function, so tests can see exactly what would reach the shell.
#pragma once

#include <windows.h>

#include <string>

// Exactly what ShellExecuteW receives.
struct ShellRequest {
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    int show = 0;
};

using ShellLauncher = void (*)(const ShellRequest& request);

// The launcher in use; by default it calls ShellExecuteW. Returns the previous one.
ShellLauncher SetShellLauncher(ShellLauncher launcher);

// Both take a UTF-8 path.
// Shows the file selected in its folder: /select,"path".
void OpenFileLocation(const char* fullPath);
// Asks the file browser to open the file itself: "path".
void ExecuteFile(const char* fullPath);

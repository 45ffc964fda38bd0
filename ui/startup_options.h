// What the command line asks of the program as it starts: the usage box, the dialog's inputs
// filled as it is set up, then, once it shows, its folders added and the search started.
#pragma once

#include <windows.h>

#include "ui/command_line.h"

// The program's own command line, read whole in UTF-16 and split.
CommandLineOptions ReadProgramCommandLine();

// The box titled "Scourwell command line" with the usage; its title is not the dialog's.
void ShowCommandLineUsage();

// At set-up: the search text (cut as a typed one is), the extension filter and Match Case.
void FillStartupInputs(HWND dialog, const CommandLineOptions& options);

// Once the dialog shows: adds the folders given, then presses Start Search when asked to and a
// folder is listed.
void AddStartupFolders(const CommandLineOptions& options);

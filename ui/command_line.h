// The program's command line: split into arguments as the system splits them, and read into
// what the program does when it starts. Plain code; texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Splits a whole command line, the program's name first, as CommandLineToArgvW does, with one
// repair: a backslash right before a closing quote stays a backslash. The shell quotes a drive
// root as "D:\", which the system's rule would read as an escaped quote running on.
std::vector<std::string> SplitCommandLine(const std::string& line);

struct CommandLineOptions {
    enum class Action { kOpenDialog, kInstallMenu, kRemoveMenu };
    Action action = Action::kOpenDialog;
    std::optional<std::string> text;       // /text:TEXT
    std::optional<std::string> extension;  // /ext:EXT
    bool matchCase = false;                // /case
    bool start = false;                    // /start
    bool showUsage = false;                // /? or an option the program does not know
    std::vector<std::string> paths;        // in the order given
};

// Reads the arguments after the program's name. Options start with a slash, may come anywhere
// and are known whatever their letter case; every other argument is a path.
CommandLineOptions ReadCommandLine(const std::vector<std::string>& arguments);

// The usage box's text, a line for each option.
extern const char kCommandLineUsage[];

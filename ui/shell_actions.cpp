#include "ui/shell_actions.h"

#include <shellapi.h>

#include "os/utf16.h"

namespace {

void LaunchWithShell(const ShellRequest& request) {
    ShellExecuteW(nullptr, request.verb.c_str(), request.file.c_str(), request.parameters.c_str(),
                  nullptr, request.show);
}

ShellLauncher g_launcher = LaunchWithShell;

void LaunchExplorer(const std::string& parameters) {
    g_launcher(ShellRequest{L"open", L"explorer.exe", os::Widen(parameters), SW_SHOWNORMAL});
}

}  // namespace

ShellLauncher SetShellLauncher(ShellLauncher launcher) {
    ShellLauncher previous = g_launcher;
    g_launcher = launcher;
    return previous;
}

// The file browser splits its parameters at commas: quoted, a comma stays in the path.
void OpenFileLocation(const char* fullPath) {
    LaunchExplorer(std::string("/select,\"") + fullPath + '"');
}

void ExecuteFile(const char* fullPath) {
    LaunchExplorer(std::string("\"") + fullPath + '"');
}

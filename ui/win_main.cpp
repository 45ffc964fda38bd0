#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "engine/text_finder.h"
#include "resources/resource_ids.h"
#include "ui/main_dialog.h"
#include "ui/shell_menu.h"
#include "ui/startup_options.h"
#include "ui/taskbar_button.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Windows 8 and later require SSE2; older processors keep the plain search.
    TextFinder::AllowVectorPath(IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0);
    InitCommonControls();
    const CommandLineOptions options = ReadProgramCommandLine();
    using Action = CommandLineOptions::Action;
    if (options.action != Action::kOpenDialog) {
        return RunShellMenuCommand(options.action == Action::kInstallMenu);
    }
    if (options.showUsage) {
        ShowCommandLineUsage();
    }
    TaskbarButton::CreatedMessage();  // registered before the taskbar can send it
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // A Unicode dialog: its edits keep what is typed outside the ANSI code page.
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                           MainDialogProc, reinterpret_cast<LPARAM>(&options));
    CoUninitialize();
    return static_cast<int>(result);
}

#include "ui/startup_options.h"

#include "engine/search_forms.h"
#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/given_folders.h"
#include "ui/search_thread.h"

CommandLineOptions ReadProgramCommandLine() {
    const std::vector<std::string> all = SplitCommandLine(os::Narrow(GetCommandLineW()));
    return ReadCommandLine(
        std::vector<std::string>(all.begin() + (all.empty() ? 0 : 1), all.end()));
}

void ShowCommandLineUsage() {
    MessageBoxW(nullptr, os::Widen(kCommandLineUsage).c_str(), L"Scourwell command line",
                MB_OK | MB_ICONINFORMATION);
}

void FillStartupInputs(HWND dialog, const CommandLineOptions& options) {
    if (options.text) {
        const std::wstring wide = os::Widen(*options.text);
        std::u16string units(wide.begin(), wide.end());
        CutSearchText(units);
        SetDlgItemTextW(dialog, IDC_SEARCH_TEXT, std::wstring(units.begin(), units.end()).c_str());
    }
    if (options.extension) {
        SetDlgItemTextW(dialog, IDC_EXT_FILTER, os::Widen(*options.extension).c_str());
    }
    if (options.matchCase) {
        CheckDlgButton(dialog, IDC_MATCH_CASE, BST_CHECKED);
    }
}

void AddStartupFolders(const CommandLineOptions& options) {
    AddGivenFolders(options.paths);
    if (options.start && g_app.pathList.GetItemCount() > 0) {
        StartSearch();
    }
}

// Names outside the ANSI code page, from the folder edit through the walk to both lists, the
// shell and the status label: shown and passed on exactly as they are.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "os/utf16.h"
#include "tests/ui/dialog_driver.h"
#include "ui/dialog_view.h"
#include "ui/shell_actions.h"

static std::vector<std::wstring> g_parameters;

// The filter .Dät folds A-Z only: it takes .DäT, not .dÄt nor .dat. The one file found is the
// only row, which the shell actions must take too.
TEST(DialogNames, NamesOutsideTheCodePageAreFoundShownAndPassedOnExactly) {
    TempTree tree;
    DialogDriver ui;
    const std::wstring folder = os::Widen(tree.Root()) + L"\\目录 Отчёт 😀";
    const std::wstring name = L"文件 Отчёт 😀.DäT", path = folder + L"\\子\\" + name;
    std::filesystem::create_directories(folder + L"\\子");
    for (const std::wstring& file : {name, std::wstring(L"x.dÄt"), std::wstring(L"x.dat")}) {
        std::ofstream(std::filesystem::path(folder + L"\\子\\" + file)) << "Needle";
    }
    SetWindowTextW(ui.Item(IDC_PATH_EDIT), folder.c_str());
    ui.Click(IDC_ADD);
    SetWindowTextW(ui.Item(IDC_EXT_FILTER), L".Dät");
    ui.Type(IDC_SEARCH_TEXT, "Needle");
    ui.RunSearch();
    const HWND results = ui.Item(IDC_RESULT_LIST);
    EXPECT_EQ(Cell(ui.Item(IDC_PATH_LIST), 0, 0), folder);
    EXPECT_EQ(ListView_GetItemCount(results), 1);
    EXPECT_EQ(Cell(results, 0, 0) + L"|" + Cell(results, 0, 3), name + L"|" + path);

    const ShellLauncher previous =
        SetShellLauncher([](const ShellRequest& r) { g_parameters.push_back(r.parameters); });
    ui.ContextMenu(IDC_RESULT_LIST, 0, 'o');
    ui.ContextMenu(IDC_RESULT_LIST, 0, 'e');
    SetShellLauncher(previous);
    EXPECT_EQ(g_parameters,
              (std::vector<std::wstring>{L"/select,\"" + path + L"\"", L"\"" + path + L"\""}));

    // The worker's large-file text names the file.
    const std::wstring status = L"[1.00%] Large File Search... [2.00%] [" + name + L"]";
    DialogSearchView().SetStatusText(os::Narrow(status.data(), status.size()).c_str());
    wchar_t shown[100] = {};
    GetWindowTextW(ui.Item(IDC_STATUS), shown, 100);
    EXPECT_EQ(shown, status);
}

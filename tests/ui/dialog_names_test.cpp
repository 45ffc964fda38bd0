// Names outside the ANSI code page, from the folder edit through the walk to both lists, the
// shell and the status label: shown and passed on exactly as they are.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/dialog_view.h"
#include "ui/shell_actions.h"

static std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[600] = {};
    LVITEMW item = {0, 0, column, 0, 0, text, 600};
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

static std::vector<std::wstring> g_parameters;

// The filter .Dät folds A-Z only: it takes .dät and .DäT, not .dÄt nor .dat.
TEST(DialogNames, NamesOutsideTheCodePageAreFoundShownAndPassedOnExactly) {
    TempTree tree;
    DialogDriver ui;
    const std::wstring folder = os::Widen(tree.Root()) + L"\\目录 Отчёт 😀";
    const std::wstring names[] = {L"文件.dät", L"Отчёт.DäT", L"note😀.dät", L"x.dÄt", L"x.dat"};
    std::filesystem::create_directories(folder + L"\\子");
    for (const std::wstring& name : names) {
        std::ofstream(std::filesystem::path(folder + L"\\子\\" + name)) << "Needle";
    }
    SetWindowTextW(ui.Item(IDC_PATH_EDIT), folder.c_str());
    ui.Click(IDC_ADD);
    SetWindowTextW(ui.Item(IDC_EXT_FILTER), L".Dät");
    ui.Type(IDC_SEARCH_TEXT, "Needle");
    ui.RunSearch();
    EXPECT_EQ(Cell(ui.Item(IDC_PATH_LIST), 0, 0), folder);
    const HWND results = ui.Item(IDC_RESULT_LIST);
    std::set<std::wstring> shown, expected;
    for (int row = 0; row < ListView_GetItemCount(results); ++row) {
        shown.insert(Cell(results, row, 0) + L"|" + Cell(results, row, 3));
    }
    for (int i = 0; i < 3; ++i) {
        expected.insert(names[i] + L"|" + folder + L"\\子\\" + names[i]);
    }
    EXPECT_EQ(shown, expected);

    const ShellLauncher previous =
        SetShellLauncher([](const ShellRequest& r) { g_parameters.push_back(r.parameters); });
    ui.ContextMenu(IDC_RESULT_LIST, 0, 'o');
    ui.ContextMenu(IDC_RESULT_LIST, 0, 'e');
    SetShellLauncher(previous);
    const std::wstring path = L"\"" + Cell(results, 0, 3) + L"\"";
    EXPECT_EQ(g_parameters, (std::vector<std::wstring>{L"/select," + path, path}));

    // The worker's large-file text names the file; screen readers may ask in either form.
    const std::wstring status = L"[1.00%] Large File Search... [2.00%] [" + names[2] + L"]";
    DialogSearchView().SetStatusText(os::Narrow(status.data(), status.size()).c_str());
    wchar_t wide[100] = {};
    char narrow[100] = {}, ansi[100] = {};
    GetWindowTextW(ui.Item(IDC_STATUS), wide, 100);
    GetWindowTextA(ui.Item(IDC_STATUS), narrow, 100);
    WideCharToMultiByte(CP_ACP, 0, status.c_str(), -1, ansi, 100, nullptr, nullptr);
    EXPECT_EQ(wide, status);
    EXPECT_STREQ(narrow, ansi);
    EXPECT_EQ(GetWindowTextLengthW(ui.Item(IDC_STATUS)), static_cast<int>(status.size()));
}

// The dialog's commands through its real controls: Add and its message boxes, Remove, one real
// search, Stop and closing while a search runs, and the context menus' actions.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "job/row_batches.h"
#include "os/utf16.h"
#include "results/result_format.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"
#include "ui/shell_actions.h"

// Waits for an error box, tells what it shows and presses OK; "" when none came (`what`:
// WaitUntil's).
static std::string TakeErrorBox(const char* what, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        what, [&] { return IsWindowVisible(box = FindWindowA("#32770", "Error")); }, timeoutMs);
    char text[256] = {};
    if (!GetDlgItemTextA(box, 0xFFFF, text, sizeof text)) {
        return "";
    }
    HICON icon = nullptr;  // in the box's one icon-style static, whatever its identifier
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    const bool okOnly = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil("the error box to close", [&] { return !IsWindow(box); });
    return text + std::string(icon == LoadIconA(nullptr, IDI_WARNING) ? ", warning" : "") +
           (okOnly ? ", OK" : "");
}

static std::vector<std::string> g_launched;

using DialogCommands = DialogTest;

// A refused folder leaves the list and the typed path as they were.
TEST_F(DialogCommands, AddRefusesListedAndMissingFoldersAndRemoveDeletesTheMarkedRowOnly) {
    for (const std::string name : {"a", "Data", "gone", "z"}) {
        tree.AddFolder(name + "/Sub");
        Add("\\" + name + "\\");
    }
    std::filesystem::remove_all(tree.Path("gone"));
    const std::string included = "The directory is already included in our search, warning, OK";
    const std::string missing = "The directory is not accessable, warning, OK";
    const std::string cases[][2] = {
        {"\\Data", included}, {"\\Data\\Sub", included}, {"\\gone", missing}};  // gone: twice
    for (const auto& [folder, box] : cases) {
        Add(folder);
        EXPECT_EQ(TakeErrorBox("an error box", 5000), box) << folder;
        EXPECT_EQ(TakeErrorBox(nullptr, 200), "") << folder;
        char edit[300] = {};
        GetWindowTextA(ui.Item(IDC_PATH_EDIT), edit, sizeof edit);
        EXPECT_EQ(edit, tree.Root() + folder);
    }
    const std::string row =
        std::to_string(ListCtrlEx::GetFolderIconIndex(true)) + "|" + tree.Root() + "\\";
    std::vector<std::string> rows = {row + "z", row + "gone", row + "Data", row + "a"};
    for (const int mark : {0, 1, 1, 0}) {  // the first, a middle, the last and the only row
        ui.ContextMenu(IDC_PATH_LIST, mark, 'r');
        rows.erase(rows.begin() + mark);
        EXPECT_EQ(ui.Rows(IDC_PATH_LIST), rows) << mark;
    }
}

// Match Case and the extension filter leave out two files. The rest come in several batches,
// newest first, and older files have longer names, so the widest comes with the last batch.
// Their icon is not the image list's first, which a row without an icon would show.
TEST_F(DialogCommands, SearchListsTheFilesFoundAndTheShellGetsTheirPathsQuoted) {
    const int n = kFirstRowBatch + kMinRowBatch + 43;  // a third batch at least
    auto file = [](int i) {
        return std::to_string(i) + std::string((n - i) / 10, 'w') + ", a.chm";
    };
    auto time = [](int i) { return FileTimeFromUtc(2020, 1, 1, 0, 0) + i * 600000000ULL; };
    for (int i = 0; i < n; ++i) {
        tree.AddFile(file(i), "Needle");
        tree.SetWriteTime(file(i), time(i));
    }
    tree.AddFile("lower.chm", "needle");
    tree.AddFile("other.log", "Needle");
    Add("");
    ui.Type(IDC_SEARCH_TEXT, "Needle");
    ui.Type(IDC_EXT_FILTER, ".chm");
    ui.Click(IDC_MATCH_CASE);
    ui.RunSearch();
    const auto rows = ui.Rows(IDC_RESULT_LIST);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
    for (int r = 0, i = n - 1; r < n; ++r, --i) {
        EXPECT_EQ(rows[r], std::to_string(ListCtrlEx::GetFileIconIndex(file(i).c_str(), true)) +
                               "|" + file(i) + "|" + FormatFileDate(time(i)) + "|6.00|" +
                               tree.Root() + "\\" + file(i));
    }
    for (int column : {0, 1}) {  // as wide as a full fit
        const int width = ListView_GetColumnWidth(ui.Item(IDC_RESULT_LIST), column);
        ListView_SetColumnWidth(ui.Item(IDC_RESULT_LIST), column, LVSCW_AUTOSIZE);
        EXPECT_EQ(ListView_GetColumnWidth(ui.Item(IDC_RESULT_LIST), column), width) << column;
    }
    EXPECT_TRUE(IsWindowEnabled(ui.Item(IDC_START)) && !IsWindowEnabled(ui.Item(IDC_STOP)));

    const ShellLauncher previous = SetShellLauncher([](const ShellRequest& r) {
        const std::wstring text = r.verb + L" " + r.file + L" " + r.parameters;
        g_launched.push_back(os::Narrow(text.data(), text.size()) + " " + std::to_string(r.show));
    });
    std::vector<std::string> launched;      // quoted, as the browser would split a path at a comma
    for (const int mark : {0, 1, n - 1}) {  // the first, a middle and the last row
        ui.ContextMenu(IDC_RESULT_LIST, mark, 'o');
        ui.ContextMenu(IDC_RESULT_LIST, mark, 'e');
        const std::string path = tree.Root() + "\\" + file(n - 1 - mark);
        launched.push_back("open explorer.exe /select,\"" + path + "\" 1");
        launched.push_back("open explorer.exe \"" + path + "\" 1");
    }
    SetShellLauncher(previous);
    EXPECT_EQ(g_launched, launched);
}

TEST_F(DialogCommands, StopEndsTheSearchWhereItIs) {
    AtSearchStart([this] { SendMessageA(ui.Item(IDC_STOP), BM_CLICK, 0, 0); });
    ui.RunSearch();
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST).size(), 0u);
    EXPECT_EQ(g_app.statusLine.Text(), "Building File Search List...");
}

TEST_F(DialogCommands, ClosingWaitsForTheSearchWithoutBlockingTheDialog) {
    bool stayedOpen = false;
    HANDLE worker = nullptr;
    DWORD workerAtClose = WAIT_TIMEOUT;
    AtSearchStart([&] {
        DuplicateHandle(GetCurrentProcess(), g_app.searchThread.Get(), GetCurrentProcess(), &worker,
                        SYNCHRONIZE, FALSE, 0);
        // The worker waits for this very call: a close that waited for it would never end.
        SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
        SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
        stayedOpen = IsWindowVisible(ui.dialog) != FALSE;
    });
    ui.onDestroy = [&] { workerAtClose = WaitForSingleObject(worker, 0); };
    PostMessageA(ui.Item(IDC_START), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForSingleObject(ui.thread.Get(), 3000), WAIT_OBJECT_0) << "not closed in 3 s";
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ui.result, 0);
    EXPECT_EQ(workerAtClose, WAIT_OBJECT_0) << "the dialog went away before the worker ended";
    CloseHandle(worker);
}

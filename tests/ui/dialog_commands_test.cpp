// The search folder list through the real edit, Add button, message boxes and context menu.
#include <gtest/gtest.h>

#include <filesystem>

#include "resources/resource_ids.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"

// Waits for an error box, tells what it shows and presses OK; "" when none came.
static std::string TakeErrorBox(DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil([&] { return IsWindowVisible(box = FindWindowA("#32770", "Error")); }, timeoutMs);
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
    const bool okOnly = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) &&
                        !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text + std::string(icon == LoadIconA(nullptr, IDI_WARNING) ? ", warning" : "") +
           (okOnly ? ", OK" : "");
}

struct DialogCommands : ::testing::Test {
    void Add(const std::string& folder) const {
        ui.Type(IDC_PATH_EDIT, folder);
        ui.Click(IDC_ADD);
    }
    std::vector<std::string> Rows(const std::vector<std::string>& folders) const {
        std::vector<std::string> rows;
        for (const std::string& folder : folders) {
            rows.push_back(std::to_string(ListCtrlEx::GetFolderIconIndex(true)) + "|" +
                           tree.Root() + folder);
        }
        return rows;
    }
    TempTree tree;
    DialogDriver ui;
};

TEST_F(DialogCommands, AddPutsAFolderOnTopAndRemoveDeletesTheMarkedRowOnly) {
    for (const char* name : {"a", "b", "c"}) {
        tree.AddFolder(name);
        Add(tree.Root() + "\\" + name + "\\");
    }
    EXPECT_EQ(ui.Rows(IDC_PATH_LIST), Rows({"\\c", "\\b", "\\a"}));
    ui.ContextMenu(IDC_PATH_LIST, 1, 'r');
    EXPECT_EQ(ui.Rows(IDC_PATH_LIST), Rows({"\\c", "\\a"}));
}

TEST_F(DialogCommands, RefusedFoldersShowOneWarningAndChangeNothing) {
    tree.AddFolder("Data/Sub");
    tree.AddFolder("gone");
    Add(tree.Root() + "\\Data");
    Add(tree.Root() + "\\gone");
    std::filesystem::remove(tree.Path("gone"));
    const std::string included = "The directory is already included in our search, warning, OK";
    const std::string missing = "The directory is not accessable, warning, OK";
    const std::string cases[][2] = {
        {"\\Data", included}, {"\\Data\\Sub", included}, {"\\gone", missing}};  // gone: twice
    for (const auto& [folder, box] : cases) {
        Add(tree.Root() + folder);
        EXPECT_EQ(TakeErrorBox(5000), box) << folder;
        EXPECT_EQ(TakeErrorBox(200), "") << folder;
        EXPECT_EQ(ui.Rows(IDC_PATH_LIST), Rows({"\\gone", "\\Data"}));
        char edit[300] = {};
        GetWindowTextA(ui.Item(IDC_PATH_EDIT), edit, sizeof edit);
        EXPECT_EQ(edit, tree.Root() + folder);
    }
}

// One real search through the dialog and the shell actions on its rows; Stop and closing
// while a search runs.
#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource_ids.h"
#include "results/result_format.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"
#include "ui/shell_actions.h"

static std::vector<std::string> g_launched;

// A dialog set up by hand to search one folder for "Needle".
struct DialogSearch : ::testing::Test {
    DialogSearch() {
        tree.AddFile("a.txt", "Needle");
        ui.Type(IDC_PATH_EDIT, tree.Root());
        ui.Click(IDC_ADD);
        ui.Type(IDC_SEARCH_TEXT, "Needle");
    }
    TempTree tree;
    DialogDriver ui;
};

TEST_F(DialogSearch, ListsTheFilesFoundNewestFirstAndHandsTheMarkedOneToTheShell) {
    // The first three hold the text, newest first; the others don't match the case or the
    // extension, or are held open by another program.
    const std::pair<const char*, const char*> files[] = {
        {"new.txt", "Needle, newest"}, {"a file.txt", "Needle"}, {"a.txt", "Needle"},
        {"lower.txt", "needle"},       {"other.log", "Needle"},  {"locked.txt", "Needle"}};
    std::vector<std::string> found;
    for (int i = 0; i < 6; ++i) {
        const auto [name, content] = files[i];
        const std::string path = tree.AddFile(name, content);
        tree.SetWriteTime(name, FileTimeFromUtc(2024 - i, 6, 1, 12, 0));
        found.push_back(std::to_string(ListCtrlEx::GetFileIconIndex(name, true)) + "|" + name +
                        "|" + FormatFileDate(FileTimeFromUtc(2024 - i, 6, 1, 12, 0)) + "|" +
                        FormatFileSize(std::strlen(content)) + "|" + path);
    }
    found.resize(3);
    const HANDLE holder = CreateFileA(tree.Path("locked.txt").string().c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ui.Type(IDC_EXT_FILTER, ".txt");
    ui.Click(IDC_MATCH_CASE);
    ui.RunSearch();
    CloseHandle(holder);
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST), found);
    EXPECT_EQ(g_app.statusLine.Text(), "Files searched: 5, Files found: 3, Unaccessable: 1");
    EXPECT_TRUE(IsWindowEnabled(ui.Item(IDC_START)) && !IsWindowEnabled(ui.Item(IDC_STOP)));

    // Both actions take the row of the selection mark, whatever else is selected.
    const ShellLauncher previous = SetShellLauncher([](const ShellRequest& r) {
        g_launched.push_back(r.verb + " " + r.file + " " + r.parameters + " " +
                             std::to_string(r.show));
    });
    ui.ContextMenu(IDC_RESULT_LIST, 1, 'o');
    ui.ContextMenu(IDC_RESULT_LIST, 1, 'e');
    SetShellLauncher(previous);
    const std::string marked = tree.Root() + "\\a file.txt";
    EXPECT_EQ(g_launched, (std::vector<std::string>{"open explorer.exe /select," + marked + " 1",
                                                    "open explorer.exe " + marked + " 1"}));
}

TEST_F(DialogSearch, StopEndsTheSearchWhereItIs) {
    ui.onStatus = [&](const std::string& text) {
        if (text == "Building File Search List...") {
            SendMessageA(ui.Item(IDC_STOP), BM_CLICK, 0, 0);
        }
    };
    ui.RunSearch();
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST).size(), 0u);
    EXPECT_EQ(g_app.statusLine.Text(), "Building File Search List...");
}

TEST_F(DialogSearch, ClosingWaitsForTheWorkerWithoutBlockingTheDialog) {
    bool stayedOpen = false;
    ui.onStatus = [&](const std::string& text) {
        if (text == "Building File Search List...") {
            // The worker waits for this very call: a close that waited for it would never end.
            SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
            SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
            stayedOpen = IsWindowVisible(ui.dialog) != FALSE;
        }
    };
    PostMessageA(ui.Item(IDC_START), BM_CLICK, 0, 0);
    EXPECT_TRUE(ui.WaitClosed(3000));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ui.result, 0);
    EXPECT_FALSE(g_app.searchThread.IsRunning());
}

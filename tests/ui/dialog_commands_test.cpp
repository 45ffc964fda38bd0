// The search folder list, the context menus, the shell actions and the keys of the real dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"
#include "ui/shell_actions.h"

namespace {

std::vector<ShellRequest> g_shellRequests;

void RecordShellRequest(const ShellRequest& request) {
    g_shellRequests.push_back(request);
}

class DialogCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        g_shellRequests.clear();
        previousLauncher = SetShellLauncher(RecordShellRequest);
    }
    void TearDown() override { SetShellLauncher(previousLauncher); }

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const auto& row : ui.Rows(IDC_PATH_LIST, 1)) {
            paths.push_back(row[0]);
        }
        return paths;
    }

    // Types a folder and presses Add; returns the message box it raised, if any.
    bool Add(const std::string& folder, MessageBoxSeen& box) {
        ui.Type(IDC_PATH_EDIT, folder);
        ui.ClickLater(IDC_ADD);
        // Done when a box shows or the edit was emptied (added, or put in place of a row).
        WaitUntil([&] { return ui.HasMessageBox() || ui.Text(IDC_PATH_EDIT).empty(); }, 5000);
        return ui.TakeMessageBox(box, 0);
    }
    void AddQuietly(const std::string& folder) {
        MessageBoxSeen box;
        ASSERT_FALSE(Add(folder, box)) << box.text;
    }
    void ExpectRefused(const std::string& folder, const std::string& text) {
        const std::vector<std::string> before = Paths();
        MessageBoxSeen box;
        ASSERT_TRUE(Add(folder, box)) << folder;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "Error");
        EXPECT_TRUE(box.warningIcon);
        EXPECT_TRUE(box.okOnly);
        EXPECT_FALSE(ui.TakeMessageBox(box, 300)) << "a second box: " << box.text;
        EXPECT_EQ(Paths(), before);
        EXPECT_EQ(ui.Text(IDC_PATH_EDIT), folder);  // the edit keeps the text
    }

    static std::string Upper(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        return s;
    }

    TempTree tree;
    DialogDriver ui;
    ShellLauncher previousLauncher = nullptr;
};

const char kAlreadyIncluded[] = "The directory is already included in our search";
const char kNotAccessible[] = "The directory is not accessable";

}  // namespace

TEST_F(DialogCommands, AddedFoldersAreNormalisedAndGoOnTop) {
    tree.AddFolder("a");
    tree.AddFolder("b");
    AddQuietly(tree.Root() + "\\a\\");
    EXPECT_EQ(ui.Text(IDC_PATH_EDIT), "");
    AddQuietly(tree.Root() + "\\b");
    EXPECT_EQ(Paths(), (std::vector<std::string>{tree.Root() + "\\b", tree.Root() + "\\a"}));
    AddQuietly(tree.Root() +
               "\\a-longer-name-than-the-others\\..\\b\\..");  // not normalised further
    EXPECT_EQ(Paths().front(), tree.Root() + "\\a-longer-name-than-the-others\\..\\b\\..");
    const int wide = ui.ColumnWidth(IDC_PATH_LIST, 0);
    EXPECT_GT(wide, 0);
}

TEST_F(DialogCommands, DriveRootIsStoredAsLetterAndColonAndCoversItsFolders) {
    AddQuietly("C:\\");
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:"});
    ExpectRefused("C:\\windows", kAlreadyIncluded);
    ExpectRefused("c:", kAlreadyIncluded);
}

TEST_F(DialogCommands, DuplicatesAndFoldersInsideAreRefused) {
    tree.AddFolder("Data/Sub");
    tree.AddFolder("Database");
    const std::string data = tree.Root() + "\\Data";
    AddQuietly(data);
    ExpectRefused(Upper(data), kAlreadyIncluded);
    ExpectRefused(data + "\\", kAlreadyIncluded);
    ExpectRefused(data + "\\Sub", kAlreadyIncluded);
    AddQuietly(tree.Root() + "\\Database");
    EXPECT_EQ(Paths().size(), 2u);
}

TEST_F(DialogCommands, AParentReplacesTheTopmostFolderInsideIt) {
    TempTree other;
    tree.AddFolder("Data/A");
    tree.AddFolder("Data/B");
    const std::string data = tree.Root() + "\\Data";
    AddQuietly(data + "\\A");
    AddQuietly(data + "\\B");
    AddQuietly(other.Root());
    MessageBoxSeen box;
    EXPECT_FALSE(Add(data, box)) << box.text;
    EXPECT_EQ(Paths(), (std::vector<std::string>{other.Root(), data}));
    EXPECT_EQ(ui.Text(IDC_PATH_EDIT), "");
}

TEST_F(DialogCommands, MissingFolderIsReportedBeforeAnyOverlap) {
    tree.AddFolder("gone");
    const std::string gone = tree.Root() + "\\gone";
    AddQuietly(gone);
    std::filesystem::remove(tree.Path("gone"));
    ExpectRefused(gone, kNotAccessible);  // also a duplicate: only one box
    ExpectRefused(tree.Root() + "\\never-there", kNotAccessible);
    // A file passes the existence test and is listed like a folder.
    AddQuietly(tree.AddFile("plain.txt", "x"));
}

TEST_F(DialogCommands, EmptyEditOpensTheFolderBrowser) {
    ui.Type(IDC_PATH_EDIT, "");
    ui.ClickLater(IDC_ADD);
    HWND browser = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (browser = ui.FindOwnedWindow(nullptr)) != nullptr; }, 10000));
    char text[256] = {};
    EXPECT_TRUE(WaitUntil([&] {
        // The title sits in one of the browser's static texts.
        for (HWND child = GetWindow(browser, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            GetWindowTextA(child, text, sizeof text);
            if (std::string(text) == "Select a folder to search") {
                return true;
            }
        }
        return false;
    }));
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    EXPECT_TRUE(Paths().empty());
}

TEST_F(DialogCommands, RemoveDeletesTheMarkedRowOnly) {
    tree.AddFolder("x");
    tree.AddFolder("y");
    tree.AddFolder("z");
    for (const char* name : {"x", "y", "z"}) {
        AddQuietly(tree.Root() + "\\" + name);
    }
    EXPECT_FALSE(ui.ContextMenu(IDC_PATH_LIST, 1));  // nothing selected yet: no menu
    ui.Select(IDC_PATH_LIST, {1}, 1);
    ASSERT_TRUE(ui.ContextMenu(IDC_PATH_LIST, 1));
    EXPECT_EQ(Paths(), (std::vector<std::string>{tree.Root() + "\\z", tree.Root() + "\\x"}));
}

TEST_F(DialogCommands, ShellActionsHandTheMarkedRowsPathToExplorer) {
    tree.AddFile("with space/a file.txt", "find me");
    tree.SetWriteTime("with space/a file.txt", FileTimeFromUtc(2022, 1, 1, 0, 0));
    tree.AddFile("b.txt", "find me too");
    tree.SetWriteTime("b.txt", FileTimeFromUtc(2023, 1, 1, 0, 0));
    AddQuietly(tree.Root());
    ui.Type(IDC_SEARCH_TEXT, "find me");
    ui.RunSearch();
    ASSERT_EQ(ui.Rows(IDC_RESULT_LIST, 1).size(), 2u);
    const std::string spaced = tree.Root() + "\\with space\\a file.txt";

    EXPECT_FALSE(ui.ContextMenu(IDC_RESULT_LIST, 1));
    ui.Select(IDC_RESULT_LIST, {0, 1}, 1);  // both selected, the mark on the second row
    ASSERT_TRUE(ui.ContextMenu(IDC_RESULT_LIST, 1));
    ASSERT_TRUE(ui.ContextMenu(IDC_RESULT_LIST, 2));
    ASSERT_EQ(g_shellRequests.size(), 2u);
    EXPECT_EQ(g_shellRequests[0].verb, "open");
    EXPECT_EQ(g_shellRequests[0].file, "explorer.exe");
    EXPECT_EQ(g_shellRequests[0].parameters, "/select,\"" + spaced + "\"");
    EXPECT_EQ(g_shellRequests[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(g_shellRequests[1].file, "explorer.exe");
    EXPECT_EQ(g_shellRequests[1].parameters, "\"" + spaced + "\"");
}

TEST_F(DialogCommands, EnterAndEscapeDoNothing) {
    tree.AddFile("a.txt", "key");
    AddQuietly(tree.Root());
    ui.Type(IDC_SEARCH_TEXT, "key");
    const HANDLE before = g_app.searchThread.Get();
    for (int id : {IDC_SEARCH_TEXT, IDC_PATH_EDIT, IDC_EXT_FILTER}) {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            SendMessageA(ui.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ui.Item(id)), TRUE);
            PostMessageA(ui.Item(id), WM_KEYDOWN, key, 1);
            PostMessageA(ui.Item(id), WM_KEYUP, key, 0xC0000001);
        }
    }
    ui.Command(IDOK);
    ui.Command(IDCANCEL);
    EXPECT_FALSE(ui.WaitClosed(500));
    EXPECT_TRUE(IsWindow(ui.Dialog()));
    EXPECT_EQ(g_app.searchThread.Get(), before);
    EXPECT_EQ(ui.Text(IDC_STATUS), "Ready...");
}

TEST_F(DialogCommands, OpensReadyWithFocusInTheExtensionFilter) {
    EXPECT_EQ(ui.Text(IDC_STATUS), "Ready...");
    EXPECT_TRUE(ui.Enabled(IDC_START));
    EXPECT_FALSE(ui.Enabled(IDC_STOP));
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(ui.Dialog(), nullptr), &info);
    EXPECT_EQ(info.hwndFocus, ui.Item(IDC_EXT_FILTER));
    const auto headers = [&] {
        std::vector<std::string> texts;
        HWND header =
            reinterpret_cast<HWND>(SendMessageA(ui.Item(IDC_RESULT_LIST), LVM_GETHEADER, 0, 0));
        const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            texts.emplace_back(text);
        }
        return texts;
    }();
    EXPECT_EQ(headers,
              (std::vector<std::string>{"File Name", "Modify Date", "File Size", "Full Path"}));
    EXPECT_EQ(ui.ColumnWidth(IDC_RESULT_LIST, 0), 75);
    EXPECT_EQ(SendMessageA(ui.Item(IDC_RESULT_LIST), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x14021);
    // Closing with no search ever run closes at once.
    PostMessageA(ui.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ui.WaitClosed(2000));
    EXPECT_EQ(ui.Result(), 0);
}

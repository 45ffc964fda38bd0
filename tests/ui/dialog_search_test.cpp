// Searches through the real dialog: results, status texts, bar positions, Stop at each phase.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "results/result_format.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class DialogSearch : public ::testing::Test {
  protected:
    // Six files holding the text, f0 oldest, and two that don't.
    void MakeTree() {
        for (int i = 0; i < 6; ++i) {
            const std::string name = "f" + std::to_string(i) + ".txt";
            tree.AddFile(name, std::string(i * 1000, '.') + "Needle " + std::to_string(i));
            tree.SetWriteTime(name, FileTimeFromUtc(2021, 1 + i, 1, 12, 0));
        }
        tree.AddFile("sub/other.txt", "nothing to see");
        tree.AddFile("sub/more.log", "still nothing");
    }

    void AddFolder(const std::string& folder) {
        ui.Type(IDC_PATH_EDIT, folder);
        ui.Click(IDC_ADD);
    }

    void StartWith(const std::string& text) {
        ui.Type(IDC_SEARCH_TEXT, text);
        ui.RunSearch();
    }

    // A status tick after every status text: each progress point then writes its text.
    void TickAfterEveryText() {
        const HWND dialog = ui.Dialog();
        tick = [dialog] { SendMessageA(dialog, WM_TIMER, 20, 0); };
    }

    // Presses Stop the first time the status line shows a text starting with prefix.
    void StopAt(const std::string& prefix) {
        ui.onStatus = [this, prefix](const std::string& text) {
            if (!stopped && text.rfind(prefix, 0) == 0) {
                stopped = true;
                SendMessageA(ui.Item(IDC_STOP), BM_CLICK, 0, 0);
            }
            if (tick) {
                tick();
            }
        };
    }

    std::vector<std::string> Names(const Rows& rows) const {
        std::vector<std::string> names;
        for (const auto& row : rows) {
            names.push_back(row[0]);
        }
        return names;
    }

    // The files holding the text among the walk's first `count` candidates, in walk order.
    std::vector<std::string> FoundInWalkOrder(std::size_t count = SIZE_MAX) const {
        std::vector<std::string> names;
        const FileList& walk = g_app.search.fileList;
        for (std::size_t i = 0; i < walk.size() && i < count; ++i) {
            if (walk[i].name[0] == 'f') {
                names.push_back(walk[i].name);
            }
        }
        return names;
    }

    TempTree tree;
    DialogDriver ui;
    bool stopped = false;
    std::function<void()> tick;
};

}  // namespace

TEST_F(DialogSearch, FindsExactlyTheFilesHoldingTheTextNewestFirst) {
    MakeTree();
    const std::string locked = tree.AddFile("locked.txt", "Needle, but held by another program");
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    AddFolder(tree.Root());
    StartWith("needle");
    CloseHandle(holder);

    const Rows rows = ui.Rows(IDC_RESULT_LIST, 4);
    ASSERT_EQ(rows.size(), 6u);
    for (int r = 0; r < 6; ++r) {
        const int i = 5 - r;
        const std::string name = "f" + std::to_string(i) + ".txt";
        const std::string content = std::string(i * 1000, '.') + "Needle " + std::to_string(i);
        EXPECT_EQ(rows[r][0], name);
        EXPECT_EQ(rows[r][1], FormatFileDate(FileTimeFromUtc(2021, 1 + i, 1, 12, 0)));
        EXPECT_EQ(rows[r][2], FormatFileSize(static_cast<double>(content.size())));
        EXPECT_EQ(rows[r][3], tree.Root() + "\\" + name);
    }
    EXPECT_EQ(rows[0][2], "4.89 KB");  // 5008 bytes
    EXPECT_EQ(rows[5][2], "8.00");
    EXPECT_EQ(ui.Text(IDC_STATUS), "Files searched: 9, Files found: 6, Unaccessable: 1");
    EXPECT_EQ(ui.ProgressPos(), 100);
    EXPECT_TRUE(ui.Enabled(IDC_START));
    EXPECT_FALSE(ui.Enabled(IDC_STOP));
    // The name and date columns were fitted to their cells; size and path kept their widths.
    const int nameWidth = ui.ColumnWidth(IDC_RESULT_LIST, 0);
    const int dateWidth = ui.ColumnWidth(IDC_RESULT_LIST, 1);
    SendMessageA(ui.Item(IDC_RESULT_LIST), LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    SendMessageA(ui.Item(IDC_RESULT_LIST), LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE);
    EXPECT_EQ(ui.ColumnWidth(IDC_RESULT_LIST, 0), nameWidth);
    EXPECT_EQ(ui.ColumnWidth(IDC_RESULT_LIST, 1), dateWidth);
    EXPECT_NE(dateWidth, 75);
    EXPECT_EQ(ui.ColumnWidth(IDC_RESULT_LIST, 2), 65);
    EXPECT_EQ(ui.ColumnWidth(IDC_RESULT_LIST, 3), 175);

    // Match Case and the extension filter narrow the next search.
    tree.AddFile("NEEDLE.log", "NEEDLE in capitals");
    ui.Click(IDC_MATCH_CASE);
    StartWith("NEEDLE");
    EXPECT_EQ(Names(ui.Rows(IDC_RESULT_LIST, 1)), std::vector<std::string>{"NEEDLE.log"});
    ui.Type(IDC_EXT_FILTER, ".TXT");
    StartWith("Needle");
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST, 1).size(), 7u);
    EXPECT_EQ(ui.Text(IDC_STATUS), "Files searched: 8, Files found: 7, Unaccessable: 0");
}

TEST_F(DialogSearch, EmptyTextOrNoFoldersChangeNothing) {
    MakeTree();
    StartWith("needle");  // no folder yet
    EXPECT_EQ(ui.Text(IDC_STATUS), "Ready...");
    AddFolder(tree.Root());
    StartWith("needle");
    const Rows before = ui.Rows(IDC_RESULT_LIST, 4);
    const std::string status = ui.Text(IDC_STATUS);
    ASSERT_EQ(before.size(), 6u);

    StartWith("");
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST, 4), before);
    EXPECT_EQ(ui.Text(IDC_STATUS), status);

    ui.Select(IDC_PATH_LIST, {0}, 0);
    ASSERT_TRUE(ui.ContextMenu(IDC_PATH_LIST, 1));  // Remove
    ASSERT_TRUE(ui.Rows(IDC_PATH_LIST, 1).empty());
    StartWith("needle");
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST, 4), before);
    EXPECT_EQ(ui.Text(IDC_STATUS), status);
}

TEST_F(DialogSearch, StopDuringTheWalk) {
    MakeTree();
    AddFolder(tree.Root());
    StartWith("needle");  // leaves results, which the stopped search must clear
    TickAfterEveryText();
    StopAt("Building File List...");
    StartWith("needle");
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(ui.Rows(IDC_RESULT_LIST, 1).empty());
    EXPECT_EQ(ui.Text(IDC_STATUS), "Building File List... 1");
    EXPECT_EQ(ui.ProgressPos(), 0);
    EXPECT_FALSE(ui.Enabled(IDC_STOP));
    EXPECT_EQ(g_app.search.stopFlag.load(), 0u);
}

TEST_F(DialogSearch, StopDuringTheContentPhaseCountsTheFilesReached) {
    MakeTree();
    AddFolder(tree.Root());
    TickAfterEveryText();
    StopAt("[");
    StartWith("needle");
    ASSERT_TRUE(stopped);
    // The text after the first file stopped it; the second was being read and counts.
    // In the walk's order: the ordering returned at once.
    const std::vector<std::string> expected = FoundInWalkOrder(2);
    EXPECT_EQ(Names(ui.Rows(IDC_RESULT_LIST, 1)), expected);
    EXPECT_EQ(ui.Text(IDC_STATUS), "Files searched: 2, Files found: " +
                                       std::to_string(expected.size()) + ", Unaccessable: 0");
    EXPECT_EQ(ui.ProgressPos(), 100);
    const std::vector<std::string> history = ui.StatusHistory();
    EXPECT_NE(std::find(history.begin(), history.end(),
                        "[0.00%] Searching file 0 of 8, Files found: " +
                            std::to_string(FoundInWalkOrder(1).size()) + ", Unaccessable: 0"),
              history.end());
}

TEST_F(DialogSearch, StopDuringTheOrderingListsEveryResultPartlyOrdered) {
    MakeTree();
    AddFolder(tree.Root());
    TickAfterEveryText();
    StopAt("Sorting Results...");
    StartWith("needle");
    ASSERT_TRUE(stopped);
    // One comparison was made: of the walk's first two results, the newer leads.
    std::vector<std::string> expected = FoundInWalkOrder();
    if (expected[1] > expected[0]) {  // f5 is newer than f4: names order as times do
        std::swap(expected[0], expected[1]);
    }
    EXPECT_EQ(Names(ui.Rows(IDC_RESULT_LIST, 1)), expected);
    EXPECT_EQ(ui.Text(IDC_STATUS), "Files searched: 8, Files found: 6, Unaccessable: 0");
    EXPECT_EQ(ui.ProgressPos(), 100);
}

TEST_F(DialogSearch, ProgressTextsOfEveryPhaseAndStopDuringThePopulation) {
    MakeTree();
    AddFolder(tree.Root());
    TickAfterEveryText();
    StopAt("Populating List... 0 of 6");
    StartWith("needle");
    ASSERT_TRUE(stopped);
    EXPECT_EQ(
        Names(ui.Rows(IDC_RESULT_LIST, 1)),
        (std::vector<std::string>{"f5.txt", "f4.txt", "f3.txt", "f2.txt", "f1.txt", "f0.txt"}));
    EXPECT_EQ(ui.Text(IDC_STATUS), "Files searched: 8, Files found: 6, Unaccessable: 0");
    const std::vector<std::string> h = ui.StatusHistory();
    auto has = [&](const std::string& t) { return std::find(h.begin(), h.end(), t) != h.end(); };
    EXPECT_TRUE(has("Building File Search List..."));
    EXPECT_TRUE(has("Building File List... 1"));
    EXPECT_TRUE(has("Sorting Results... 100.00"));
    EXPECT_TRUE(has("Populating List..."));
    EXPECT_TRUE(has("Populating List... 5 of 6"));
    for (const std::string& text : h) {
        EXPECT_EQ(text.find("Searching file 8 of 8"), std::string::npos);
    }
}

TEST_F(DialogSearch, ClosingDuringASearchWaitsForTheWorkerWithoutBlocking) {
    MakeTree();
    AddFolder(tree.Root());
    bool closedDuringSearch = false;
    ui.onStatus = [&](const std::string& text) {
        if (text == "Building File Search List...") {
            // The worker is waiting for this very call: closing must not wait for it.
            SendMessageA(ui.Dialog(), WM_CLOSE, 0, 0);
            SendMessageA(ui.Dialog(), WM_CLOSE, 0, 0);
            closedDuringSearch = IsWindow(ui.Dialog()) != FALSE;
        }
    };
    ui.Type(IDC_SEARCH_TEXT, "needle");
    ui.Click(IDC_START);
    EXPECT_TRUE(ui.WaitClosed(3000));
    EXPECT_TRUE(closedDuringSearch);
    EXPECT_EQ(ui.Result(), 0);
    EXPECT_FALSE(g_app.searchThread.IsRunning());
}

TEST_F(DialogSearch, SecondStartWhileSearchingStartsNothing) {
    MakeTree();
    AddFolder(tree.Root());
    HANDLE running = nullptr;
    ui.onStatus = [&](const std::string& text) {
        if (text == "Building File Search List...") {
            running = g_app.searchThread.Get();
            SendMessageA(ui.Dialog(), WM_COMMAND, IDC_START, 0);
        }
    };
    StartWith("needle");
    EXPECT_EQ(g_app.searchThread.Get(), running);
    const std::vector<std::string> h = ui.StatusHistory();
    EXPECT_EQ(std::count(h.begin(), h.end(), "Building File Search List..."), 1);
    EXPECT_EQ(ui.Rows(IDC_RESULT_LIST, 1).size(), 6u);
}

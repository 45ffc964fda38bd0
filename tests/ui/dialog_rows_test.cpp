// The results list filled in several batches through the real dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/list_ctrl_ex.h"
#include "job/row_batches.h"
#include "resources/resource_ids.h"
#include "results/result_format.h"
#include "tests/support/temp_tree.h"
#include "tests/ui/dialog_driver.h"

TEST(DialogRows, RowsOfSeveralBatchesComeInOrderAndTheColumnsEndAsAFullFit) {
    TempTree tree;
    DialogDriver ui;
    const int n = kFirstRowBatch + kMinRowBatch + 43;  // a third batch at least
    // Older files have longer names, so the widest comes with the last batch.
    auto file = [](int i) {
        return std::to_string(i) + std::string((n - i) / 10, 'w') + (i % 2 ? ".txt" : ".chm");
    };
    auto time = [](int i) { return FileTimeFromUtc(2020, 1, 1, 0, 0) + i * 600000000ULL; };
    for (int i = 0; i < n; ++i) {
        tree.AddFile(file(i), "needle");
        tree.SetWriteTime(file(i), time(i));
    }
    ui.Type(IDC_PATH_EDIT, tree.Root());
    ui.Click(IDC_ADD);
    ui.Type(IDC_SEARCH_TEXT, "needle");
    ui.RunSearch();

    const auto rows = ui.Rows(IDC_RESULT_LIST);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
    const HWND list = ui.Item(IDC_RESULT_LIST);
    for (int r = 0, i = n - 1; r < n; ++r, --i) {  // newest first
        EXPECT_EQ(rows[r], std::to_string(ListCtrlEx::GetFileIconIndex(file(i).c_str(), true)) +
                               "|" + file(i) + "|" + FormatFileDate(time(i)) + "|6.00|" +
                               tree.Root() + "\\" + file(i));
    }
    for (int column : {0, 1}) {
        const int width = ListView_GetColumnWidth(list, column);
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        EXPECT_EQ(ListView_GetColumnWidth(list, column), width) << "column " << column;
    }
}

#include "ui/result_rows.h"

#include <string>

#include "results/result_format.h"

int AddResultRow(ListCtrlEx& list, const FileEntry& entry) {
    const std::string size = FormatFileSize(static_cast<double>(entry.size));
    const int icon = ListCtrlEx::GetFileIconIndex(entry.name.c_str(), true);
    const int row = list.GetItemCount();
    list.InsertItem(row, entry.name.c_str(), icon, reinterpret_cast<LPARAM>(&entry));
    list.SetItemText(row, 1, FormatFileDate(entry.lastWriteTime).c_str());
    list.SetItemText(row, 2, size.c_str());
    list.SetItemText(row, 3, entry.fullPath.c_str());
    return row;
}

void FitResultColumnWidths(ListCtrlEx& list) {
    list.SetColumnWidth(0, -1);
    list.SetColumnWidth(1, -1);
}

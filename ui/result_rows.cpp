#include "ui/result_rows.h"

#include <algorithm>

#include "results/result_format.h"

void ResultColumnFit::Widen(ListCtrlEx& list, const ResultRowBatch& batch) {
    const bool dpiChanged = calibrated_ && list.Dpi() != dpi_;
    for (int column = 0; column < 2; ++column) {
        int widest = 0;
        for (std::size_t i = 0; i < batch.rows.size(); ++i) {
            const std::string& text = column == 0 ? batch.first[i].name : batch.rows[i].date;
            widest = std::max(widest, list.GetStringWidth(text.c_str()));
        }
        if (dpiChanged) {
            // The dialog has re-fitted the columns to every row at the new DPI.
            margin_[column] = ScaleBetweenDpis(margin_[column], dpi_, list.Dpi());
            width_[column] = list.GetColumnWidth(column);
        }
        if (!calibrated_) {
            // A full fit of the first batch alone is cheap and tells the icon and padding the
            // list adds to the widest text; later batches then need no full fit.
            list.SetColumnWidth(column, -1);
            width_[column] = list.GetColumnWidth(column);
            margin_[column] = width_[column] - widest;
        } else if (widest + margin_[column] > width_[column]) {
            width_[column] = widest + margin_[column];
            list.SetColumnWidth(column, width_[column]);
        }
    }
    calibrated_ = true;
    dpi_ = list.Dpi();
}

ResultRowBatch PrepareResultRows(const FileEntry* first, int count, ResultColumnFit& fit) {
    ResultRowBatch batch;
    batch.first = first;
    batch.fit = &fit;
    batch.rows.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const FileEntry& entry = first[i];
        PreparedRow& row = batch.rows[static_cast<std::size_t>(i)];
        row.icon = ListCtrlEx::GetFileIconIndex(entry.name.c_str(), true);
        row.date = FormatFileDate(entry.lastWriteTime);
        row.size = FormatFileSize(static_cast<double>(entry.size));
    }
    return batch;
}

void AddResultRows(ListCtrlEx& list, const ResultRowBatch& batch) {
    SendMessageA(list.hwnd, WM_SETREDRAW, FALSE, 0);
    const int start = list.GetItemCount();
    for (std::size_t i = 0; i < batch.rows.size(); ++i) {
        const FileEntry& entry = batch.first[i];
        const PreparedRow& prepared = batch.rows[i];
        const int row = start + static_cast<int>(i);
        list.InsertItem(row, entry.name.c_str(), prepared.icon, reinterpret_cast<LPARAM>(&entry));
        list.SetItemText(row, 1, prepared.date.c_str());
        list.SetItemText(row, 2, prepared.size.c_str());
        list.SetItemText(row, 3, entry.fullPath.c_str());
    }
    batch.fit->Widen(list, batch);
    SendMessageA(list.hwnd, WM_SETREDRAW, TRUE, 0);
    // Painted when the dialog thread is next idle, between batches: a list kept busy paints
    // once for several batches, and the paint never lengthens a batch. The header repaints
    // itself when a width changes; repainting the frame as well costs more than the rows.
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

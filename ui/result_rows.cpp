#include "ui/result_rows.h"

#include <shlwapi.h>

#include <algorithm>

#include "os/utf16.h"
#include "results/result_format.h"

void ResultColumnFit::Widen(ListCtrlEx& list, const ResultRowBatch& batch) {
    const bool dpiChanged = calibrated_ && list.Dpi() != dpi_;
    for (int column = 0; column < 2; ++column) {
        std::vector<const std::string*> texts;
        for (std::size_t i = 0; i < batch.rows.size(); ++i) {
            texts.push_back(column == 0 ? &batch.first[i].name : &batch.rows[i].date);
        }
        const std::vector<int> widths = list.GetStringWidths(texts);
        const int widest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
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

int FileIconCache::IconOf(const std::string& name) {
    const std::wstring wide = os::Widen(name);
    const std::wstring extension = PathFindExtensionW(wide.c_str());
    const auto [known, added] = byExtension_.try_emplace(extension, 0);
    if (added) {
        known->second = ListCtrlEx::GetFileIconIndex(name.c_str(), true);
    }
    return known->second;
}

ResultRowBatch PrepareResultRows(const FileEntry* first, int count, ResultColumnFit& fit,
                                 FileIconCache& icons) {
    ResultRowBatch batch;
    batch.first = first;
    batch.fit = &fit;
    batch.rows.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const FileEntry& entry = first[i];
        PreparedRow& row = batch.rows[static_cast<std::size_t>(i)];
        row.icon = icons.IconOf(entry.name);
        row.date = FormatFileDate(entry.lastWriteTime);
        row.size = FormatFileSize(static_cast<double>(entry.size));
    }
    return batch;
}

void AddResultRows(ListCtrlEx& list, const ResultRowBatch& batch, std::vector<PreparedRow>& shown) {
    SendMessageW(list.hwnd, WM_SETREDRAW, FALSE, 0);
    shown.insert(shown.end(), batch.rows.begin(), batch.rows.end());
    // The rows are the result set's: the list only learns how many there are.
    list.SetVirtualItemCount(static_cast<int>(shown.size()));
    batch.fit->Widen(list, batch);
    SendMessageW(list.hwnd, WM_SETREDRAW, TRUE, 0);
    // Painted when the dialog thread is next idle, between batches: a list kept busy paints
    // once for several batches, and the paint never lengthens a batch. The header repaints
    // itself when a width changes; repainting the frame as well costs more than the rows.
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

void FillResultCell(NMLVDISPINFOW& request, const FileList& results,
                    const std::vector<PreparedRow>& shown) {
    LVITEMW& item = request.item;
    const auto row = static_cast<std::size_t>(item.iItem);
    if (row >= shown.size() || row >= results.size()) {
        return;
    }
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = shown[row].icon;
    }
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const FileEntry& entry = results[row];
        const std::string* const texts[] = {&entry.name, &shown[row].date, &shown[row].size,
                                            &entry.fullPath};
        const std::wstring text =
            item.iSubItem >= 0 && item.iSubItem < 4 ? os::Widen(*texts[item.iSubItem]) : L"";
        std::size_t length = std::min(text.size(), std::size_t(item.cchTextMax) - 1);
        if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) {
            --length;  // never half a character
        }
        text.copy(item.pszText, length);
        item.pszText[length] = L'\0';
    }
}

#include "ui/result_rows.h"

#include <shlwapi.h>

#include <algorithm>
#include <new>

#include "engine/allocation.h"
#include "os/utf16.h"
#include "results/result_format.h"

HFONT RowTextMeter::Refresh() {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0));
    if (font != font_ || !selected_) {
        selected_.reset();
        font_ = font;
        selected_.emplace(dc_.Get(), font_);
        INT widths[128] = {};
        GetCharWidth32W(dc_.Get(), 0, 127, widths);
        std::copy(std::begin(widths), std::end(widths), ascii_);
    }
    return font_;
}

int RowTextMeter::Width(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 128) {
            const std::wstring wide = os::Widen(std::string(text));
            SIZE size = {};
            GetTextExtentPoint32W(dc_.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
            return size.cx;
        }
        width += ascii_[static_cast<unsigned char>(c)];
    }
    return width;
}

// The widest of the batch's cells in column, measured here when the worker measured them in
// another font (the screen's scale changed in between).
static int Widest(ListCtrlEx& list, const SearchState& state, const ResultRowBatch& batch,
                  int column) {
    if (batch.font == reinterpret_cast<HFONT>(SendMessageW(list.hwnd, WM_GETFONT, 0, 0))) {
        return batch.widest[column];
    }
    std::vector<std::string> texts;
    for (std::size_t row = batch.first; row < batch.first + batch.icons.size(); ++row) {
        texts.push_back(ResultCellText(state, row, column));
    }
    const std::vector<int> widths =
        list.GetStringWidths(std::vector<std::string_view>(texts.begin(), texts.end()));
    return widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
}

void ResultColumnFit::Widen(ListCtrlEx& list, const SearchState& state,
                            const ResultRowBatch& batch) {
    const bool dpiChanged = calibrated_ && list.Dpi() != dpi_;
    for (int column = 0; column < 2; ++column) {
        const int widest = Widest(list, state, batch, column);
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

int FileIconCache::IconOf(std::string_view name) {
    const std::wstring wide = os::Widen(std::string(name));
    const std::wstring extension = PathFindExtensionW(wide.c_str());
    const auto [known, added] = byExtension_.try_emplace(extension, 0);
    if (added) {
        known->second = ListCtrlEx::GetFileIconIndex(std::string(name).c_str(), true);
    }
    return known->second;
}

ResultRowBatch PrepareResultRows(const SearchState& state, std::size_t first, int count,
                                 ResultColumnFit& fit, FileIconCache& icons, RowTextMeter& meter) {
    CheckAllocation();
    ResultRowBatch batch;
    batch.first = first;
    batch.fit = &fit;
    batch.font = meter.Refresh();
    for (std::size_t row = first; row < first + static_cast<std::size_t>(count); ++row) {
        const std::string_view name = state.FoundName(row);
        batch.icons.push_back(icons.IconOf(name));
        batch.widest[0] = std::max(batch.widest[0], meter.Width(name));
        batch.widest[1] =
            std::max(batch.widest[1], meter.Width(FormatFileDate(state.Found(row).lastWriteTime)));
    }
    return batch;
}

void AddResultRows(ListCtrlEx& list, const SearchState& state, ResultRowBatch& batch,
                   RowIcons& shown) {
    SendMessageW(list.hwnd, WM_SETREDRAW, FALSE, 0);
    try {
        for (const int icon : batch.icons) {
            shown.push_back(icon);
        }
        // The rows are the result set's: the list only learns how many there are.
        list.SetVirtualItemCount(static_cast<int>(shown.size()));
        batch.fit->Widen(list, state, batch);
    } catch (const std::bad_alloc&) {
        batch.outOfMemory = true;
        list.SetVirtualItemCount(static_cast<int>(shown.size()));
    }
    SendMessageW(list.hwnd, WM_SETREDRAW, TRUE, 0);
    // Painted when the dialog thread is next idle, between batches: a list kept busy paints
    // once for several batches, and the paint never lengthens a batch. The header repaints
    // itself when a width changes; repainting the frame as well costs more than the rows.
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

std::string ResultCellText(const SearchState& state, std::size_t row, int column) {
    const FileRecord& file = state.Found(row);
    switch (column) {
        case 0:
            return std::string(state.FoundName(row));
        case 1:
            return FormatFileDate(file.lastWriteTime);
        case 2:
            return FormatFileSize(static_cast<double>(file.size));
        case 3:
            return state.FoundPath(row);
        default:
            return "";
    }
}

void FillResultCell(NMLVDISPINFOW& request, const SearchState& state, const RowIcons& shown) {
    LVITEMW& item = request.item;
    const auto row = static_cast<std::size_t>(item.iItem);
    if (item.iItem < 0 || row >= shown.size() || row >= state.resultSet.size()) {
        return;
    }
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = shown[row];
    }
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const std::wstring text = os::Widen(ResultCellText(state, row, item.iSubItem));
        std::size_t length = std::min(text.size(), std::size_t(item.cchTextMax) - 1);
        if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) {
            --length;  // never half a character
        }
        text.copy(item.pszText, length);
        item.pszText[length] = L'\0';
    }
}

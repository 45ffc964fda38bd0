#include "ui/dialog_view.h"

#include <commctrl.h>

#include <chrono>
#include <new>

#include "engine/search_forms.h"
#include "engine/status_text.h"
#include "os/utf16.h"
#include "os/utf8.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/main_dialog.h"

DialogSearchView::DialogSearchView() : meter_(g_app.resultList.hwnd) {
    g_app.progressBarWindow = GetDlgItem(g_app.dialogWindow, IDC_PROGRESS);
}

void DialogSearchView::ReadExtensionFilter(char (&buffer)[kTextBufferSize]) {
    wchar_t wide[kTextBufferSize] = {};
    const UINT length = GetDlgItemTextW(g_app.dialogWindow, IDC_EXT_FILTER, wide, kTextBufferSize);
    const std::string filter = os::Narrow(wide, length);
    CopyCut(filter.c_str(), filter.size(), buffer, kTextBufferSize);
}

bool DialogSearchView::ReadMatchCase() {
    return IsDlgButtonChecked(g_app.dialogWindow, IDC_MATCH_CASE) != 0;
}

// One unit more than is kept, to see whether the cut would split a pair. The ANSI form only
// where every character has its own bytes: best fit would turn Ā into A, the default into ?.
void DialogSearchView::ReadSearchText(TypedText& text) {
    wchar_t wide[kTextBufferSize + 1] = {};
    const UINT length =
        GetDlgItemTextW(g_app.dialogWindow, IDC_SEARCH_TEXT, wide, kTextBufferSize + 1);
    text.units.assign(wide, wide + length);
    CutSearchText(text.units);
    text.ansi.reset();
    if (GetACP() == CP_UTF8) {
        text.ansi = os::Utf8FromUtf16(text.units);
        return;
    }
    char ansi[2 * kTextBufferSize];
    BOOL usedDefault = FALSE;
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(text.units.size()),
                            ansi, sizeof ansi, nullptr, &usedDefault);
    if (bytes > 0 && !usedDefault) {
        text.ansi.emplace(ansi, static_cast<std::size_t>(bytes));
    }
}

int DialogSearchView::FolderCount() {
    return g_app.pathList.GetItemCount();
}

void DialogSearchView::ReadFolder(int row, char (&buffer)[kTextBufferSize]) {
    buffer[0] = '\0';
    g_app.pathList.GetItemText(row, 0, buffer, kTextBufferSize);
}

void DialogSearchView::SetStatusText(const char* text) {
    SetDlgItemTextW(g_app.dialogWindow, IDC_STATUS, os::Widen(text).c_str());
}

void DialogSearchView::SetProgressPos(int percent) {
    SendMessageA(g_app.progressBarWindow, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    FollowOnTaskbar(SearchEvent::kPosition, percent);
}

void DialogSearchView::StartMarquee() {
    FollowOnTaskbar(SearchEvent::kWalk);
    barStyle_ = GetWindowLongA(g_app.progressBarWindow, GWL_STYLE);
    SetWindowLongA(g_app.progressBarWindow, GWL_STYLE, barStyle_ | PBS_MARQUEE);
    SendMessageA(g_app.progressBarWindow, PBM_SETMARQUEE, 1, 30);
}

void DialogSearchView::StopMarquee() {
    SendMessageA(g_app.progressBarWindow, PBM_SETMARQUEE, 0, 30);
}

void DialogSearchView::SetPercentRange() {
    SetWindowLongA(g_app.progressBarWindow, GWL_STYLE, barStyle_ | PBS_SMOOTH);
    SendMessageA(g_app.progressBarWindow, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    FollowOnTaskbar(SearchEvent::kPercentRange);
}

void DialogSearchView::ClearResults() {
    SendMessageA(g_app.dialogWindow, WM_CLEAR_RESULT_ROWS, 0, 0);
    columnFit_ = ResultColumnFit();
}

double DialogSearchView::AddResultRows(const SearchState& state, std::size_t first, int count) {
    FollowOnTaskbar(SearchEvent::kRows);
    ResultRowBatch batch = PrepareResultRows(state, first, count, columnFit_, icons_, meter_);
    // The dialog thread adds the whole batch itself: one cross-thread call, not five a row.
    const auto sent = std::chrono::steady_clock::now();
    SendMessageA(g_app.dialogWindow, WM_ADD_RESULT_ROWS, 0, reinterpret_cast<LPARAM>(&batch));
    if (batch.outOfMemory) {
        throw std::bad_alloc();  // the job ends its rows here
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
}

void DialogSearchView::EnableInputs(bool enable) {
    EnableSearchControls(enable);
    if (enable) {
        FollowOnTaskbar(SearchEvent::kEnd);
    }
}

void DialogSearchView::StartStatusTick() {
    SetTimer(g_app.dialogWindow, TIMER_STATUS_TICK, 250, nullptr);
}

void DialogSearchView::StopStatusTick() {
    KillTimer(g_app.dialogWindow, TIMER_STATUS_TICK);
}

// The interface to the taskbar is the dialog thread's: the worker only posts.
void DialogSearchView::FollowOnTaskbar(SearchEvent event, int percent) {
    if (const auto progress = taskbar_.On(event, percent)) {
        PostMessageW(g_app.dialogWindow, WM_TASKBAR_PROGRESS, static_cast<WPARAM>(progress->state),
                     progress->percent);
    }
}

void EnableSearchControls(bool enable) {
    static const int kInputs[] = {IDC_PATH_EDIT, IDC_SEARCH_TEXT, IDC_EXT_FILTER, IDC_MATCH_CASE,
                                  IDC_PATH_LIST, IDC_RESULT_LIST, IDC_ADD,        IDC_START};
    for (int id : kInputs) {
        EnableWindow(GetDlgItem(g_app.dialogWindow, id), enable);
    }
    EnableWindow(GetDlgItem(g_app.dialogWindow, IDC_STOP), !enable);
}

// Under Wine, with the real dialog shown: how long Ctrl+A then Ctrl+C of N found files takes
// (every row selected, then their paths and the files themselves put on the clipboard), and how
// long Save List As takes to write them once its dialog has closed, as CSV and as text. Both run
// on the dialog thread, so each time is also how long the dialog is blocked.
// Usage: export_bench [rounds] [rows]   (default: 5 rounds of 100000 rows)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/made_results.h"
#include "bench/timing.h"
#include "job/row_batches.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/dialog_view.h"
#include "ui/list_commands.h"
#include "ui/main_dialog.h"
#include "ui/save_list.h"

namespace {

std::wstring g_savePath;
bool g_csv = true;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs work on the dialog thread (this one) and returns its seconds.
template <typename Work>
double Timed(Work work) {
    Pump();
    const double start = NowSeconds();
    work();
    return NowSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::size_t rows = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    InitCommonControls();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN),
                                           nullptr, MainDialogProc, 0);
    Pump();
    MakeFoundFiles(g_app.search, rows);
    {
        DialogSearchView view;  // the rows as a search adds them
        view.ClearResults();
        PopulateResultList(g_app.search, view);
    }
    Pump();
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    SetSaveChooser([](HWND, SaveChoice& choice) {
        choice = {g_savePath, g_csv};
        return true;
    });

    std::vector<double> select, copy, csv, text;
    std::size_t csvBytes = 0, textBytes = 0;
    for (int r = 0; r < rounds; ++r) {
        ListView_SetItemState(g_app.resultList.hwnd, -1, 0, LVIS_SELECTED);
        select.push_back(Timed([] { g_app.resultList.SelectAll(); }));
        copy.push_back(Timed([] { CopySelectedResults(false); }));
        for (const bool asCsv : {true, false}) {
            g_csv = asCsv;
            g_savePath =
                std::wstring(folder) + L"scourwell-export-bench" + (asCsv ? L".csv" : L".txt");
            (asCsv ? csv : text).push_back(Timed(SaveResultList));
            WIN32_FILE_ATTRIBUTE_DATA saved = {};
            GetFileAttributesExW(g_savePath.c_str(), GetFileExInfoStandard, &saved);
            (asCsv ? csvBytes : textBytes) = saved.nFileSizeLow;
            DeleteFileW(g_savePath.c_str());
        }
    }
    std::printf("%zu rows, medians of %d rounds on the dialog thread (max in brackets), s:\n", rows,
                rounds);
    const std::pair<const char*, std::vector<double>*> figures[] = {
        {"Ctrl+A (select every row)", &select},
        {"Ctrl+C (paths and files to the clipboard)", &copy},
        {"Save List As, CSV", &csv},
        {"Save List As, text", &text}};
    for (const auto& [what, times] : figures) {
        std::printf("  %-44s %.3f (%.3f)\n", what, Median(*times),
                    *std::max_element(times->begin(), times->end()));
    }
    std::printf("  files written: CSV %zu bytes, text %zu bytes\n", csvBytes, textBytes);
    DestroyWindow(dialog);
    CoUninitialize();
    return 0;
}

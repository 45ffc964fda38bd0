// Under Wine: how long the results list takes to fill with N rows from a second thread, as
// the search job fills it, and how long the ordering of N results takes.
// Usage: population_bench [rounds] [max rows with a fit after every row] [max rows shown]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/null_view.h"
#include "bench/timing.h"
#include "resources/resource_ids.h"
#include "results/result_ordering.h"
#include "ui/app_state.h"
#include "ui/main_dialog.h"
#include "ui/result_rows.h"

namespace {

DWORD WINAPI DialogThread(LPVOID) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                    0);
    return 0;
}

FileList MakeResults(std::size_t n) {
    std::mt19937 rng(static_cast<unsigned>(n));
    const char* extensions[] = {".txt", ".cpp", ".h", ".log", ".dat", ".xml"};
    FileList results(n);
    for (std::size_t i = 0; i < n; ++i) {
        FileEntry& e = results[i];
        e.name = "file_" + std::to_string(rng() % 100000) + extensions[i % 6];
        e.fullPath = "C:\\data\\project\\folder" + std::to_string(i % 97) + "\\" + e.name;
        e.size = 1 + static_cast<std::int64_t>(rng() % 5000000);
        e.lastWriteTime = 130000000000000000ULL + (rng() % 1000000) * 10000000ULL;
    }
    return results;
}

// Fills the list the way the job does, fitting the name and date columns whenever a 250 ms
// status tick would be due and after the last row; or, for comparison, after every row.
double Populate(const FileList& results, bool fitEveryRow) {
    SendMessageA(g_app.resultList.hwnd, LVM_DELETEALLITEMS, 0, 0);
    const double start = NowSeconds();
    double nextTick = start + 0.25;
    for (const FileEntry& entry : results) {
        AddResultRow(g_app.resultList, entry);
        if (fitEveryRow || NowSeconds() >= nextTick) {
            FitResultColumnWidths(g_app.resultList);
            nextTick = NowSeconds() + 0.25;
        }
    }
    FitResultColumnWidths(g_app.resultList);
    const double seconds = NowSeconds() - start;
    SendMessageA(g_app.resultList.hwnd, LVM_DELETEALLITEMS, 0, 0);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1;
    const std::size_t maxEveryRow = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000;
    // Under Wine on a virtual display every shown row is painted slowly; see the README.
    const std::size_t maxShown = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 10000;
    InitCommonControls();
    HANDLE dialogThread = CreateThread(nullptr, 0, DialogThread, nullptr, 0, nullptr);
    while (g_app.dialogWindow == nullptr || !IsWindowVisible(g_app.dialogWindow)) {
        Sleep(10);
    }
    std::printf("%-9s %7s %12s %12s %14s %12s\n", "window", "rows", "ordering s", "fit-due s",
                "fit-due s/1k", "fit-each s");
    for (bool minimized : {false, true}) {
        ShowWindow(g_app.dialogWindow, minimized ? SW_MINIMIZE : SW_RESTORE);
        for (std::size_t n : {1000u, 10000u, 30000u}) {
            if (!minimized && n > maxShown) {
                continue;
            }
            std::vector<double> order, due, each;
            for (int r = 0; r < rounds; ++r) {
                SearchState state;
                state.resultSet = MakeResults(n);
                NullView view;
                const double start = NowSeconds();
                SortResultsByDate(0, static_cast<int>(n), state, view);
                order.push_back(NowSeconds() - start);
                due.push_back(Populate(state.resultSet, false));
                if (n <= maxEveryRow) {
                    each.push_back(Populate(state.resultSet, true));
                }
            }
            std::printf("%-9s %7zu %12.3f %12.3f %14.3f", minimized ? "minimized" : "shown", n,
                        Median(order), Median(due), Median(due) / (n / 1000.0));
            if (each.empty()) {
                std::printf(" %12s\n", "-");
            } else {
                std::printf(" %12.3f\n", Median(each));
            }
            std::fflush(stdout);
        }
    }
    PostMessageA(g_app.dialogWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(dialogThread, 5000);
    return 0;
}

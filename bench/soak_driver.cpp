// Under Wine: drives a running Scourwell from another process, as UI automation would:
// it presses its buttons and reads its status line with WM_GETTEXT. scripts/soak-wine.sh
// runs it between its measurements of the program's process.
// Usage: soak_driver ready                 succeeds once the window is there
//        soak_driver setup FOLDER TEXT [EXTENSION]  types the folder, presses Add, types the
//                                          text and the extension filter
//        soak_driver full                  one search to its end; prints when each phase began
//        soak_driver stops N SEED C R E    N searches, each stopped at a random moment, in
//                                          turn in [0,C), [C,R) and [R,E) ms: the walk, the
//                                          content phase, the ordering and the rows, as full
//                                          printed them; prints the phases Stop fell in
//        soak_driver close MS              starts a search and closes the window MS later
//        soak_driver rows                  reads every cell of the results list, as another
//                                          program would; prints the row count, the first row
//                                          and the count of rows with an empty cell
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "bench/timing.h"
#include "resources/resource_ids.h"

namespace {

HWND g_dialog = nullptr;

HWND Item(int id) {
    return GetDlgItem(g_dialog, id);
}

std::string StatusText() {
    char text[260] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(Item(IDC_STATUS), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

// The phase of the search as the window shows it: the bar runs its marquee during the walk
// only; the rows and the end write their texts at once, the content phase only on ticks.
std::string Phase() {
    if (IsWindowEnabled(Item(IDC_START))) {
        return "no search";
    }
    if ((GetWindowLongA(Item(IDC_PROGRESS), GWL_STYLE) & PBS_MARQUEE) != 0) {
        return "walk";
    }
    const std::string status = StatusText();
    static const std::pair<const char*, const char*> kPrefixes[] = {
        {"Sorting", "ordering"}, {"Populating", "rows"}, {"Files searched", "final text"}};
    for (const auto& [prefix, phase] : kPrefixes) {
        if (status.rfind(prefix, 0) == 0) {
            return phase;
        }
    }
    return "content";
}

void Press(int id) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(Item(id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void SetText(int id, const char* text) {
    SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool WaitFor(bool enabled, int id, double seconds) {
    for (const double end = NowSeconds() + seconds; NowSeconds() < end; Sleep(10)) {
        if ((IsWindowEnabled(Item(id)) != FALSE) == enabled) {
            return true;
        }
    }
    return false;
}

// Presses Start until the worker takes the inputs: a press while the last worker is still
// on its way out is ignored. Returns the moment of the press that started the search.
double StartSearch() {
    for (;;) {
        const double pressed = NowSeconds();
        Press(IDC_START);
        if (WaitFor(false, IDC_START, 0.5)) {
            return pressed;
        }
    }
}

int Full() {
    const double start = StartSearch();
    std::string last;
    // Start is looked at every 10 ms, the phase every 50 ms: each look is a request to the Wine
    // server that the search's own opens wait behind, and the status line's read wakes the
    // dialog; read every 5 ms it slowed the search it timed.
    while (!WaitFor(true, IDC_START, 0.05)) {
        const std::string phase = Phase();
        if (phase != last) {
            std::printf("%s %.0f\n", phase.c_str(), (NowSeconds() - start) * 1000);
            last = phase;
        }
    }
    std::printf("end %.0f\n%s\n", (NowSeconds() - start) * 1000, StatusText().c_str());
    return 0;
}

int Stops(int searches, unsigned seed, const double bounds[4]) {
    std::mt19937 rng(seed);
    std::map<std::string, int> stoppedIn;
    for (int i = 0; i < searches; ++i) {
        const double from = bounds[i % 3], to = bounds[i % 3 + 1];
        const double delay = (from + (to - from) * (rng() % 1000) / 1000.0) / 1000;
        const double start = StartSearch();
        while (NowSeconds() < start + delay) {
            Sleep(1);
        }
        const std::string phase = Phase();
        ++stoppedIn[phase];
        std::printf("search %d: Stop at %.0f ms, in %s\n", i + 1, delay * 1000, phase.c_str());
        Press(IDC_STOP);
        if (!WaitFor(true, IDC_START, 60)) {
            std::printf("search %d did not end\n", i);
            return 1;
        }
    }
    for (const auto& [phase, count] : stoppedIn) {
        std::printf("stopped in %s: %d\n", phase.c_str(), count);
    }
    return 0;
}

// Reads a cell through a buffer in the program's own memory: a list view answers
// LVM_GETITEMTEXTW with addresses in its process.
std::wstring Cell(HANDLE process, LVITEMW* remote, wchar_t* remoteText, int row, int column) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = 1024;
    item.pszText = remoteText;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageW(Item(IDC_RESULT_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
    wchar_t text[1024] = {};
    ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
    return text;
}

int Rows() {
    DWORD id = 0;
    GetWindowThreadProcessId(g_dialog, &id);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (process == nullptr || remote == nullptr) {
        std::fprintf(stderr, "cannot reach the program's memory\n");
        return 1;
    }
    auto* item = reinterpret_cast<LVITEMW*>(remote);
    auto* text = reinterpret_cast<wchar_t*>(remote + 1024);
    const int rows = static_cast<int>(SendMessageW(Item(IDC_RESULT_LIST), LVM_GETITEMCOUNT, 0, 0));
    int withEmptyCell = 0;
    for (int row = 0; row < rows; ++row) {
        bool empty = false;
        for (int column = 0; column < 4; ++column) {
            const std::wstring cell = Cell(process, item, text, row, column);
            empty |= cell.empty();
            if (row == 0) {
                std::printf("%ls%s", cell.c_str(), column < 3 ? " | " : "\n");
            }
        }
        withEmptyCell += empty;
    }
    std::printf("rows %d, with an empty cell %d\n", rows, withEmptyCell);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // lines as they come, also into a pipe
    g_dialog = FindWindowA(nullptr, "Scourwell");
    if (g_dialog == nullptr || argc < 2) {
        std::fprintf(stderr, "no Scourwell window, or no command\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "ready") {
        return 0;
    }
    if (command == "setup" && (argc == 4 || argc == 5)) {
        SetText(IDC_PATH_EDIT, argv[2]);
        Press(IDC_ADD);
        SetText(IDC_SEARCH_TEXT, argv[3]);
        SetText(IDC_EXT_FILTER, argc == 5 ? argv[4] : "");
        return 0;
    }
    if (command == "full") {
        return Full();
    }
    if (command == "stops" && argc == 7) {
        const double bounds[4] = {0, std::atof(argv[4]), std::atof(argv[5]), std::atof(argv[6])};
        return Stops(std::atoi(argv[2]), static_cast<unsigned>(std::atoi(argv[3])), bounds);
    }
    if (command == "rows") {
        return Rows();
    }
    if (command == "close" && argc == 3) {
        StartSearch();
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        std::printf("closing during: %s\n", Phase().c_str());
        PostMessageA(g_dialog, WM_CLOSE, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}

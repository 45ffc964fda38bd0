// The dialog's commands through its real controls: Add and its message boxes, Remove, one real
// search, Stop, Start and closing while a search runs, the context menus' actions, and names
// outside the ANSI code page shown and passed on exactly.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <utility>

#include "engine/allocation.h"
#include "engine/content_readers.h"
#include "engine/search_forms.h"
#include "os/utf8.h"
#include "job/row_batches.h"
#include "results/result_format.h"
#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"
#include "ui/dialog_view.h"
#include "ui/shell_actions.h"
#include "ui/taskbar_button.h"

// Both shell actions on the result row with the mark pass its path quoted, as the browser
// would split a path at a comma.
static void ExpectShellActions(const DialogDriver& ui, int mark, const std::string& path) {
    static std::vector<std::string> launched;
    launched.clear();
    const ShellLauncher previous = SetShellLauncher([](const ShellRequest& r) {
        const std::wstring text = r.verb + L" " + r.file + L" " + r.parameters;
        launched.push_back(os::Narrow(text.c_str()) + " " + std::to_string(r.show));
    });
    ui.ContextMenu(IDC_RESULT_LIST, mark, 'o');
    ui.ContextMenu(IDC_RESULT_LIST, mark, 'e');
    SetShellLauncher(previous);
    EXPECT_EQ(launched, (std::vector<std::string>{"open explorer.exe /select,\"" + path + "\" 1",
                                                  "open explorer.exe \"" + path + "\" 1"}))
        << mark;
}

using DialogCommands = DialogTest;

// A refused folder leaves the list and the typed path as they were.
TEST_F(DialogCommands, AddRefusesListedAndMissingFoldersAndRemoveDeletesTheMarkedRowOnly) {
    for (const std::string name : {"a", "Data", "gone", "z"}) {
        tree.AddFolder(name + "/Sub");
        Add("\\" + name + "\\");
    }
    std::filesystem::remove_all(tree.Path("gone"));
    const std::string included = "The directory is already included in our search, warning, OK";
    const std::string missing = "The directory is not accessable, warning, OK";
    const std::string cases[][2] = {
        {"\\Data", included}, {"\\Data\\Sub", included}, {"\\gone", missing}};  // gone: twice
    for (const auto& [folder, box] : cases) {
        Add(folder);
        EXPECT_EQ(TakeErrorBox("an error box", 5000), box) << folder;
        EXPECT_EQ(TakeErrorBox(nullptr, 200), "") << folder;
        char edit[300] = {};
        GetWindowTextA(ui.Item(IDC_PATH_EDIT), edit, sizeof edit);
        EXPECT_EQ(edit, tree.Root() + folder);
    }
    SHFILEINFOA folder = {};  // each row shows the shell's folder icon
    SHGetFileInfoA(tree.Root().c_str(), 0, &folder, sizeof folder,
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    const std::string row = std::to_string(folder.iIcon) + "|" + tree.Root() + "\\";
    std::vector<std::string> rows = {row + "z", row + "gone", row + "Data", row + "a"};
    for (const int mark : {0, 1, 1, 0}) {  // the first, a middle, the last and the only row
        ui.ContextMenu(IDC_PATH_LIST, mark, 'r');
        rows.erase(rows.begin() + mark);
        EXPECT_EQ(ui.Rows(IDC_PATH_LIST), rows) << mark;
    }
}

// The lists' wrappers live in the program's image, above 4 GiB: a 32-bit store of their address
// in the window's data would lose it. A cell's text is cut to the buffer and ends in a zero.
// Icons go by extension alone: a missing file has the icon of a present one of its kind.
TEST_F(DialogCommands, ListsFindTheirWrappersCutCellTextsAndTakeIconsByExtension) {
    ListCtrlEx& list = g_app.pathList;
    ASSERT_GT(reinterpret_cast<std::uintptr_t>(&list), 0xFFFFFFFFu);
    EXPECT_EQ(GetWindowLongPtrA(list.hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&list));
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list.hwnd),
              LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
    const std::string longText(300, 'x');
    std::string buffer(261, '#');
    ui.OnDialogThread([&] {
        list.InsertItem(0, longText.c_str(), 0, 0);
        EXPECT_TRUE(list.GetItemText(0, 0, &buffer[0], 260));
    });
    EXPECT_EQ(std::string(buffer.c_str()), longText.substr(0, 259));
    EXPECT_EQ(buffer[260], '#');

    const int text = ListCtrlEx::GetFileIconIndex(tree.AddFile("present.txt", "x").c_str(), true);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.txt", true), text);
    EXPECT_NE(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.chm", true), text);
}

// Match Case and the extension filter leave out two files. The rest come in several batches,
// newest first, and older files have longer names, so the widest comes with the last batch.
// Their icon is not the image list's first, which a row without an icon would show.
TEST_F(DialogCommands, SearchListsTheFilesFoundAndTheShellGetsTheirPathsQuoted) {
    const int n = kFirstRowBatch + kMinRowBatch + 43;  // a third batch at least
    auto file = [](int i) {
        return std::to_string(i) + std::string((n - i) / 10, 'w') + ", a.chm";
    };
    auto time = [](int i) { return FileTimeFromUtc(2020, 1, 1, 0, 0) + i * 600000000ULL; };
    for (int i = 0; i < n; ++i) {
        tree.AddFile(file(i), "Needle");
        tree.SetWriteTime(file(i), time(i));
    }
    tree.AddFile("lower.chm", "needle");
    tree.AddFile("other.log", "Needle");
    Add("");
    ui.Type(IDC_SEARCH_TEXT, "Needle");
    ui.Type(IDC_EXT_FILTER, ".chm");
    ui.Click(IDC_MATCH_CASE);
    ui.RunSearch();
    const auto rows = ui.Rows(IDC_RESULT_LIST);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
    for (int r = 0, i = n - 1; r < n; ++r, --i) {
        EXPECT_EQ(rows[r], std::to_string(ListCtrlEx::GetFileIconIndex(file(i).c_str(), true)) +
                               "|" + file(i) + "|" + FormatFileDate(time(i)) + "|6.00|" +
                               tree.Root() + "\\" + file(i));
    }
    for (int column : {0, 1}) {  // as wide as a full fit
        const int width = ListView_GetColumnWidth(ui.Item(IDC_RESULT_LIST), column);
        ListView_SetColumnWidth(ui.Item(IDC_RESULT_LIST), column, LVSCW_AUTOSIZE);
        EXPECT_EQ(ListView_GetColumnWidth(ui.Item(IDC_RESULT_LIST), column), width) << column;
    }
    EXPECT_TRUE(IsWindowEnabled(ui.Item(IDC_START)) && !IsWindowEnabled(ui.Item(IDC_STOP)));

    for (const int mark : {0, 1, n - 1}) {  // the first, a middle and the last row
        ExpectShellActions(ui, mark, tree.Root() + "\\" + file(n - 1 - mark));
    }
}

TEST_F(DialogCommands, StopEndsTheSearchWhereItIs) {
    AtSearchStart([this] { SendMessageA(ui.Item(IDC_STOP), BM_CLICK, 0, 0); });
    ui.RunSearch();  // no later stage shows its text
    EXPECT_EQ(g_app.statusLine.Text(), "Building File Search List...");
}

TEST_F(DialogCommands, ClosingWaitsForTheSearchWithoutBlockingTheDialog) {
    bool stayedOpen = false;
    HANDLE worker = nullptr;
    DWORD workerAtClose = WAIT_TIMEOUT;
    AtSearchStart([&] {
        DuplicateHandle(GetCurrentProcess(), g_app.searchThread.Get(), GetCurrentProcess(), &worker,
                        SYNCHRONIZE, FALSE, 0);
        // The worker waits for this very call: a close that waited for it would never end.
        SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
        SendMessageA(ui.dialog, WM_CLOSE, 0, 0);
        stayedOpen = IsWindowVisible(ui.dialog) != FALSE;
    });
    ui.onDestroy = [&] { workerAtClose = WaitForSingleObject(worker, 0); };
    PostMessageA(ui.Item(IDC_START), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForSingleObject(ui.thread.Get(), 3000), WAIT_OBJECT_0) << "not closed in 3 s";
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(workerAtClose, WAIT_OBJECT_0) << "the dialog went away before the worker ended";
    CloseHandle(worker);
}

// The filter .Dät folds A-Z only: it takes .DäT, not .dÄt nor .dat. The one file found is the
// only row, which the shell actions must take too.
TEST_F(DialogCommands, NamesOutsideTheCodePageAreFoundShownAndPassedOnExactly) {
    const std::string folder = tree.Root() + "\\目录 Отчёт 😀", name = "文件 Отчёт 😀.DäT";
    const std::string path = folder + "\\子\\" + name;
    std::filesystem::create_directories(std::filesystem::u8path(folder + "\\子"));
    for (const std::string& file : {name, std::string("x.dÄt"), std::string("x.dat")}) {
        std::ofstream(std::filesystem::u8path(folder + "\\子\\" + file)) << "Needle";
    }
    Add("\\目录 Отчёт 😀");
    ui.Type(IDC_EXT_FILTER, ".Dät");
    ui.Type(IDC_SEARCH_TEXT, "Needle");
    ui.RunSearch();
    EXPECT_EQ(Cell(ui.Item(IDC_PATH_LIST), 0, 0), folder);
    const HWND results = ui.Item(IDC_RESULT_LIST);
    ASSERT_EQ(ListView_GetItemCount(results), 1);
    EXPECT_EQ(Cell(results, 0, 0) + "|" + Cell(results, 0, 3), name + "|" + path);
    ExpectShellActions(ui, 0, path);

    // The worker's large-file text names the file.
    const std::string status = "[1.00%] Large File Search... [2.00%] [" + name + "]";
    DialogSearchView().SetStatusText(status.c_str());
    wchar_t shown[100] = {};
    GetWindowTextW(ui.Item(IDC_STATUS), shown, 100);
    EXPECT_EQ(shown, os::Widen(status));
}

// The search text as a search reads it, in the test prefix's code page 1252: cut at 259 units
// without splitting a pair, with code page bytes only where each character has its own (no ?
// for 中文, no best fit's A for Ā).
TEST_F(DialogCommands, SearchTextIsReadAsTypedWithCodePageBytesOnlyWhereItFits) {
    ASSERT_EQ(GetACP(), 1252u);
    const std::string a258(258, 'a');
    for (const auto& [typed, ansi] : {std::pair<std::string, std::string>{"Müller", "M\xFCller"},
                                      {"中文", ""},
                                      {"Ā", ""},
                                      {a258 + "😀", a258}}) {
        ui.Type(IDC_SEARCH_TEXT, typed);
        TypedText text;
        DialogSearchView().ReadSearchText(text);
        EXPECT_EQ(os::Utf8FromUtf16(text.units), ansi == a258 ? a258 : typed);
        EXPECT_EQ(text.ansi.value_or(""), ansi) << typed;
    }
}

static WNDPROC g_startProc = nullptr;
static std::function<void()> g_onEnabled;

static LRESULT CALLBACK StartHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_startProc, window, message, wParam, lParam);
    if (message == WM_ENABLE && wParam != 0 && g_onEnabled) {
        std::exchange(g_onEnabled, nullptr)();  // once: the next search enables Start too
    }
    return result;
}

// A Start pressed the moment a search gives the inputs back, while its worker is still ending:
// the click comes from the Start button's own enabling, which the worker waits for.
TEST_F(DialogCommands, AStartPressedAsTheInputsComeBackStartsTheNextSearch) {
    std::atomic<int> searches{0};
    AtSearchStart([&] { ++searches; });
    ui.OnDialogThread([&] {
        g_startProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            ui.Item(IDC_START), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StartHook)));
        g_onEnabled = [&] {
            EXPECT_TRUE(g_app.searchThread.IsRunning()) << "the click must fall in the gap";
            SendMessageA(ui.dialog, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ui.Item(IDC_START)));
        };
    });
    ui.Click(IDC_START);
    WaitUntil(
        "the second search to run and end",
        [&] { return searches == 2 && !g_app.searchThread.IsRunning(); }, 10000);
}

// The taskbar's interface, recording what the dialog asks of it and on which thread.
struct RecordingTaskbar final : ITaskbarList3 {
    static inline std::vector<std::string> calls;
    static inline DWORD thread = 0;
    void Record(const std::string& call) {
        calls.push_back(GetCurrentThreadId() == thread ? call : call + " off the dialog thread");
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return Record("release"), delete this, 0; }
    HRESULT STDMETHODCALLTYPE HrInit() override { return Record("init"), S_OK; }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND, ULONGLONG done, ULONGLONG total) override {
        return Record(std::to_string(done) + "/" + std::to_string(total)), S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND, TBPFLAG state) override {
        return Record("state " + std::to_string(state)), S_OK;
    }
#define SCOURWELL_UNUSED(name, ...)                        \
    HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { \
        return Record(#name), S_OK;                        \
    }
    SCOURWELL_UNUSED(AddTab, HWND)
    SCOURWELL_UNUSED(DeleteTab, HWND)
    SCOURWELL_UNUSED(ActivateTab, HWND)
    SCOURWELL_UNUSED(SetActiveAlt, HWND)
    SCOURWELL_UNUSED(MarkFullscreenWindow, HWND, WINBOOL)
    SCOURWELL_UNUSED(RegisterTab, HWND, HWND)
    SCOURWELL_UNUSED(UnregisterTab, HWND)
    SCOURWELL_UNUSED(SetTabOrder, HWND, HWND)
    SCOURWELL_UNUSED(SetTabActive, HWND, HWND, DWORD)
    SCOURWELL_UNUSED(ThumbBarAddButtons, HWND, UINT, LPTHUMBBUTTON)
    SCOURWELL_UNUSED(ThumbBarUpdateButtons, HWND, UINT, LPTHUMBBUTTON)
    SCOURWELL_UNUSED(ThumbBarSetImageList, HWND, HIMAGELIST)
    SCOURWELL_UNUSED(SetOverlayIcon, HWND, HICON, LPCWSTR)
    SCOURWELL_UNUSED(SetThumbnailTooltip, HWND, LPCWSTR)
    SCOURWELL_UNUSED(SetThumbnailClip, HWND, RECT*)
#undef SCOURWELL_UNUSED
};

// Made anew each time the taskbar says the button exists; the walk and the rows indeterminate,
// the content phase's percentage in between, nothing at the end. A quick search may see no
// tick: positions past 0 are left out.
TEST_F(DialogCommands, TaskbarButtonFollowsTheSearchFromTheDialogThread) {
    RecordingTaskbar::thread = GetWindowThreadProcessId(ui.dialog, nullptr);
    const auto previous =
        TaskbarButton::SetFactory([]() -> ITaskbarList3* { return new RecordingTaskbar; });
    for (int i = 0; i < 2; ++i) {
        PostMessageW(ui.dialog, TaskbarButton::CreatedMessage(), 0, 0);
    }
    AtSearchStart([] {});
    ui.RunSearch();
    ui.OnDialogThread([] { g_app.taskbar.Release(); });
    TaskbarButton::SetFactory(previous);
    auto& calls = RecordingTaskbar::calls;
    calls.erase(
        std::remove_if(calls.begin(), calls.end(),
                       [](const std::string& c) { return c.find('/') < c.size() && c != "0/100"; }),
        calls.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"init", "release", "init", "state 1", "state 2",
                                               "0/100", "state 1", "state 0", "release"}));
}

// Memory running out anywhere in a search, the window's own rows included, ends the search
// with the inputs back and no more rows than files found, all of them unless the text says it
// stopped; the next search shows every file. The search may take a reader's buffer more than a
// clean one, as in the job's test.
TEST_F(DialogCommands, RunningOutOfMemoryEndsTheSearchAndTheNextOneWorks) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        tree.AddFile(name, "Needle");
    }
    const std::uint64_t before = AllocationsAsked();
    Search("Needle");
    const std::uint64_t allocations = AllocationsAsked() - before;
    EXPECT_GE(allocations, 10u) << "the walk, the readers, the ordering and the rows";
    for (std::uint64_t at = 1; at <= allocations + DefaultReaders(); ++at) {
        FailAllocationAt(at);
        ui.RunSearch();
        FailAllocationAt(0);
        const std::string text = g_app.statusLine.Text();
        unsigned found = 3;
        std::sscanf(text.c_str(), "Files searched: %*u, Files found: %u", &found);
        const auto rows = static_cast<unsigned>(ListView_GetItemCount(ui.Item(IDC_RESULT_LIST)));
        EXPECT_TRUE(IsWindowEnabled(ui.Item(IDC_START))) << at;
        EXPECT_TRUE(rows == found ||
                    (rows < found && text.find("stopped: out of memory") != std::string::npos))
            << at << ": " << rows << " rows, " << text;
    }
    ui.RunSearch();
    EXPECT_EQ(g_app.statusLine.Text(), "Files searched: 3, Files found: 3, Unaccessable: 0");
    EXPECT_EQ(ListView_GetItemCount(ui.Item(IDC_RESULT_LIST)), 3);
}

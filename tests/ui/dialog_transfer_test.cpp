// What goes in and out of the dialog besides typing: folders dropped from the file browser,
// rows copied through the real clipboard, the results saved as a list.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"
#include "ui/clipboard.h"
#include "ui/save_list.h"

namespace {

// The clipboard's text, and its files one per line, after a copy that changed it.
std::pair<std::string, std::string> Clipboard(const std::function<void()>& copy) {
    const DWORD before = GetClipboardSequenceNumber();
    copy();
    EXPECT_NE(GetClipboardSequenceNumber(), before) << "nothing was copied";
    std::pair<std::string, std::string> read;
    OpenClipboard(nullptr);
    if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
        read.first = os::Narrow(static_cast<const wchar_t*>(GlobalLock(text)));
        GlobalUnlock(text);
    }
    const auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    for (UINT i = 0; drop && i < DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, &name[0], static_cast<UINT>(name.size()));
        read.second += os::Narrow(name.c_str()) + "\n";
    }
    if (HANDLE effect = GetClipboardData(RegisterClipboardFormatW(L"Preferred DropEffect"))) {
        read.second += std::to_string(*static_cast<const DWORD*>(GlobalLock(effect)));
        GlobalUnlock(effect);
    }
    CloseClipboard();
    return read;
}

std::string Bytes(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

SaveChoice g_choice;

}  // namespace

using DialogTransfer = DialogTest;

// Ctrl+A selects every row and puts the mark on the first, so the menu shows; Ctrl+C and Copy
// Full Path copy paths and files, Copy File Name the names, each of the selected rows alone.
TEST_F(DialogTransfer, SelectedResultsAreCopiedAsPathsAndFilesOrAsNames) {
    for (const std::string name : {"a.txt", "b, Отчёт.txt", "文件 c.txt"}) {
        std::ofstream(std::filesystem::u8path(tree.Root() + "\\" + name)) << "Needle";
    }
    Search("Needle");
    const HWND results = ui.Item(IDC_RESULT_LIST);
    const std::string paths[] = {Cell(results, 0, 3), Cell(results, 1, 3), Cell(results, 2, 3)};
    ui.Key(IDC_RESULT_LIST, 'A', true);
    EXPECT_EQ(ListView_GetSelectedCount(results), 3u);
    EXPECT_EQ(ListView_GetSelectionMark(results), 0);
    EXPECT_EQ(Clipboard([&] { ui.Key(IDC_RESULT_LIST, 'C', true); }),
              std::make_pair(paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2],
                             paths[0] + "\n" + paths[1] + "\n" + paths[2] + "\n1"));

    ListView_SetItemState(results, 1, 0, LVIS_SELECTED);
    EXPECT_EQ(Clipboard([&] { ui.ContextMenu(IDC_RESULT_LIST, 0, 'n', false); }).first,
              Cell(results, 0, 0) + "\r\n" + Cell(results, 2, 0));
    EXPECT_EQ(Clipboard([&] { ui.ContextMenu(IDC_RESULT_LIST, 0, 'c', false); }),
              std::make_pair(paths[0] + "\r\n" + paths[2], paths[0] + "\n" + paths[2] + "\n1"));
}

// Every row in list order, as shown; a refused replace keeps the old bytes and leaves nothing
// beside them.
TEST_F(DialogTransfer, SavedListHoldsEveryRowAndAFailedSaveKeepsTheOldFile) {
    tree.AddFile("=x, y.txt", "Needle");
    tree.AddFile("plain.txt", "Needle!");
    Search("Needle");
    const HWND results = ui.Item(IDC_RESULT_LIST);
    std::string csv =
        "\xEF\xBB\xBF"
        "File Name,Modify Date,File Size,Bytes,Full Path\r\n";
    std::string text = "\xEF\xBB\xBF";
    for (int row = 0; row < 2; ++row) {
        const std::string name = Cell(results, row, 0), path = Cell(results, row, 3);
        const bool plain = name == "plain.txt";
        csv += (plain ? name : "\"'" + name + "\"") + "," + Cell(results, row, 1) + "," +
               Cell(results, row, 2) + (plain ? ",7," + path : ",6,\"" + path + "\"") + "\r\n";
        text += path + "\r\n";
    }
    const SaveChooser previous = SetSaveChooser([](HWND, SaveChoice& choice) {
        choice = g_choice;
        return true;
    });
    for (const auto& [name, isCsv] :
         {std::pair<std::string, bool>{"list", true}, {"list", false}, {"named.txt", true}}) {
        g_choice = {os::Widen(tree.Root() + "\\" + name), isCsv};
        ui.ContextMenu(IDC_RESULT_LIST, 0, 's');
    }
    EXPECT_EQ(Bytes(tree.Path("list.csv")), csv);
    EXPECT_EQ(Bytes(tree.Path("list.txt")), text);
    EXPECT_EQ(Bytes(tree.Path("named.txt")), csv);  // the type chosen decides, not the name

    // Windows refuses to replace a read-only file, or one held open without sharing.
    const std::string readOnly = tree.AddFile("read-only.csv", "old");
    const std::string held = tree.AddFile("held.csv", "old");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    for (const std::string& refused : {readOnly, held}) {
        g_choice = {os::Widen(refused), true};
        ui.ContextMenu(IDC_RESULT_LIST, 0, 's');
        EXPECT_EQ(TakeErrorBox("the failed save's box").substr(0, refused.size() + 2),
                  refused + "\n\n");
    }
    SetSaveChooser(previous);
    CloseHandle(holder);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(readOnly) + Bytes(held), "oldold");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Root()), {}), 7)
        << "the two found, the three saved and the two kept: no temporary file";
}

// Folders as typed and Added, a file's folder for a file, the same folder once, one box for the
// refused; a drop while a search runs changes nothing but is still finished (its memory freed).
// Then Ctrl+C copies the selected folders as text, and Delete removes them and selects none.
TEST_F(DialogTransfer, DroppedFoldersAreAddedAsTypedButNotWhileASearchRuns) {
    tree.AddFile("b\\f.txt", "x");
    std::filesystem::create_directories(std::filesystem::u8path(tree.Root() + "\\目录 Ω"));
    TempTree other;
    const std::string root = tree.Root();
    HGLOBAL duringSearch = MakeFileDrop({other.Root()}).Release();
    AtSearchStart(
        [&] { SendMessageW(ui.dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(duringSearch), 0); });
    ui.RunSearch();
    EXPECT_EQ(ui.Rows(IDC_PATH_LIST).size(), 1u);
    EXPECT_EQ(GlobalFlags(duringSearch), static_cast<UINT>(GMEM_INVALID_HANDLE));
    ui.ContextMenu(IDC_PATH_LIST, 0, 'r');

    const HGLOBAL drop = MakeFileDrop({root + "\\b\\f.txt", root + "\\目录 Ω", root + "\\gone",
                                       root + "\\B\\", other.Root()})
                             .Release();
    PostMessageW(ui.dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(TakeErrorBox("the refusal's box"),
              "The directory is not accessable\n\n" + root + "\\gone, warning, OK");
    ui.OnDialogThread();
    const HWND list = ui.Item(IDC_PATH_LIST);
    EXPECT_EQ(Cell(list, 0, 0) + "|" + Cell(list, 1, 0) + "|" + Cell(list, 2, 0) + "|" +
                  std::to_string(ListView_GetItemCount(list)),
              other.Root() + "|" + root + "\\目录 Ω|" + root + "\\b|3");
    for (const int row : {0, 2}) {
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    EXPECT_EQ(Clipboard([&] { ui.Key(IDC_PATH_LIST, 'C', true); }).first,
              other.Root() + "\r\n" + root + "\\b");
    ui.Key(IDC_PATH_LIST, VK_DELETE, false);
    EXPECT_EQ(Cell(list, 0, 0) + "|" + std::to_string(ListView_GetItemCount(list)) + "|" +
                  std::to_string(ListView_GetSelectedCount(list)),
              root + "\\目录 Ω|1|0");
}

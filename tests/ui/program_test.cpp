// The real program started with arguments, as a shortcut or the file browser starts it, and
// its menu entry written to and removed from the real registry.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/ui/dialog_driver.h"

namespace {

// Scourwell.exe, from the build's path, on Wine's drive for the whole Unix tree.
std::wstring Command(const std::wstring& arguments) {
    std::string path = std::string("Z:") + std::getenv("SCOURWELL_EXE");
    std::replace(path.begin(), path.end(), '/', '\\');
    return L"\"" + os::Widen(path) + L"\" " + arguments;
}

// One start of the program with a command line, in a folder; ended with the test.
struct Program {
    Program(std::wstring line, const std::string& folder) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   os::Widen(folder).c_str(), &startup, &info));
    }
    ~Program() {
        TerminateProcess(info.hProcess, 9);  // when still there
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }

    // Its shown top-level window with this title.
    HWND Window(const wchar_t* title) const {
        HWND found = nullptr;
        WaitUntil("the program's window", [&] {
            DWORD process = 0;
            found = nullptr;
            while ((found = FindWindowExW(nullptr, found, nullptr, title)) &&
                   (GetWindowThreadProcessId(found, &process),
                    process != info.dwProcessId || !IsWindowVisible(found))) {
            }
            return found != nullptr;
        });
        return found;
    }

    // Presses OK on the message box with this title and returns its text.
    std::string TakeBox(const wchar_t* title) const {
        const HWND box = Window(title);
        wchar_t text[2000] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 2000);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitUntil("the box to close", [&] { return !IsWindow(box); });
        return os::Narrow(text);
    }

    std::string Text(int id) const {
        wchar_t text[300] = {};
        SendMessageW(GetDlgItem(Window(L"Scourwell"), id), WM_GETTEXT, 300,
                     reinterpret_cast<LPARAM>(text));
        return os::Narrow(text);
    }

    // The path list's rows once they are `expected` or 10 s have passed (the folders come after
    // the window shows), read through a buffer in the program's memory: a list view answers with
    // addresses in its own process.
    std::vector<std::string> Paths(const std::vector<std::string>& expected) const {
        const HWND list = GetDlgItem(Window(L"Scourwell"), IDC_PATH_LIST);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, info.dwProcessId);
        auto* remote = static_cast<LVITEMW*>(
            VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        std::vector<std::string> rows;
        WaitUntil(nullptr, [&] {
            rows.clear();
            for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                LVITEMW item = {};
                item.cchTextMax = 1000;
                item.pszText = reinterpret_cast<wchar_t*>(remote + 1);
                WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
                SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
                wchar_t text[1000] = {};
                ReadProcessMemory(process, item.pszText, text, sizeof text - 2, nullptr);
                rows.push_back(os::Narrow(text));
            }
            return rows == expected;
        });
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return rows;
    }

    // Closes the dialog, if any, and waits for the exit code.
    DWORD Exit(bool close) const {
        if (close) {
            PostMessageW(Window(L"Scourwell"), WM_CLOSE, 0, 0);
        }
        DWORD code = 259;
        EXPECT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0) << "no exit in 10 s";
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION info = {};
};

// A key of the current user's with all under it, as reg.exe exports it (UTF-16); empty when
// missing.
std::string Snapshot(const std::wstring& key) {
    const std::wstring file = L"C:\\scourwell-snapshot.reg";
    DeleteFileW(file.c_str());
    _wsystem((L"reg.exe export \"HKCU\\" + key + L"\" " + file + L" /y >nul 2>&1").c_str());
    std::ostringstream bytes;
    bytes << std::ifstream(std::filesystem::path(file), std::ios::binary).rdbuf();
    const std::string utf16 = bytes.str();
    return os::Narrow(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size() / 2);
}

std::wstring Value(const std::wstring& key, const wchar_t* name) {
    wchar_t data[1000] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size),
        ERROR_SUCCESS)
        << os::Narrow(key.c_str());
    return data;
}

}  // namespace

// The usage box comes first, under a title of its own, for an option not known; the rest is
// done as if it was not given. Relative paths are taken in the program's folder, a file stands
// for its folder, the same folder twice is added once, and each reason for a refusal gets one
// box listing its paths.
TEST(ProgramStart, CommandLineFillsTheInputsAddsTheFoldersAndStartsTheSearch) {
    TempTree tree;
    const std::string root = tree.Root(), folder = "目录 a";
    for (const auto& [file, text] : {std::pair<std::string, std::string>{"a.txt", "Needle"},
                                     {"c.txt", "needle"},
                                     {"d.log", "Needle"},
                                     {"sub/e.log", "x"}}) {
        const auto path = std::filesystem::u8path(root + "\\" + folder + "\\" + file);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    tree.AddFile("b\\f.txt", "Needle");
    const Program program(
        Command(L"\"目录 a\" /text:Needle /CASE /ext:.txt b\\f.txt \"" + os::Widen(root) +
                L"\\gone\" \"" + os::Widen(root) + L"\\目录 a\\\\\" \"目录 a\\sub\" /start /bogus"),
        root);
    EXPECT_EQ(program.TakeBox(L"Scourwell command line").substr(0, 47),
              "Scourwell.exe [/text:TEXT] [/ext:EXT] [/case] [");
    EXPECT_EQ(program.TakeBox(L"Error"), "The directory is not accessable\n\n" + root + "\\gone");
    EXPECT_EQ(program.TakeBox(L"Error"), "The directory is already included in our search\n\n" +
                                             root + "\\" + folder + "\\sub");
    WaitUntil("the search's end", [&] { return program.Text(IDC_STATUS).rfind("Files", 0) == 0; });
    EXPECT_EQ(program.Text(IDC_STATUS), "Files searched: 3, Files found: 2, Unaccessable: 0");
    const std::vector<std::string> paths = {root + "\\b", root + "\\" + folder};
    EXPECT_EQ(program.Paths(paths), paths);
    EXPECT_EQ(program.Exit(true), 0u);
}

// Another program's verb beside each entry stays; the three parents end as they began.
TEST(ShellMenu, InstalledEntryOpensTheFolderClickedAndRemovalTakesOutItAlone) {
    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring parents[] = {classes + L"Directory\\shell",
                                    classes + L"Directory\\Background\\shell",
                                    classes + L"Drive\\shell"};
    const wchar_t* arguments[] = {L"%1", L"%V", L"%1"};
    const wchar_t otherCommand[] = L"other.exe \"%1\"";
    for (const std::wstring& parent : parents) {
        RegDeleteTreeW(HKEY_CURRENT_USER, (parent + L"\\Scourwell").c_str());  // an old run's
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (parent + L"\\Other\\command").c_str(),
                                  nullptr, REG_SZ, otherCommand, sizeof otherCommand),
                  ERROR_SUCCESS);
    }
    const std::string before = Snapshot(parents[0]) + Snapshot(parents[1]) + Snapshot(parents[2]);
    TempTree tree;
    const Program install(Command(L"/install-menu"), tree.Root());
    EXPECT_EQ(install.TakeBox(L"Scourwell").substr(0, 38),
              "The file browser's menu of folders, fo");
    EXPECT_EQ(install.Exit(false), 0u);

    const std::wstring program = Command(L"").substr(0, Command(L"").find(L' '));
    for (int i = 0; i < 3; ++i) {
        const std::wstring key = parents[i] + L"\\Scourwell";
        EXPECT_EQ(Value(key, L"MUIVerb"), L"Search contents with Scourwell");
        EXPECT_EQ(Value(key, L"Icon"), program + L",0");
        EXPECT_EQ(Value(key + L"\\command", nullptr), program + L" \"" + arguments[i] + L"\"");
    }
    const std::string folder = tree.Root() + "\\目录 Ω";
    std::filesystem::create_directory(std::filesystem::u8path(folder));
    std::wstring line = Value(parents[0] + L"\\Scourwell\\command", nullptr);
    line.replace(line.find(L"%1"), 2, os::Widen(folder));
    const Program opened(line, tree.Root());
    EXPECT_EQ(opened.Paths({folder}), std::vector<std::string>{folder});
    EXPECT_EQ(opened.Exit(true), 0u);

    const Program remove(Command(L"/remove-menu"), tree.Root());
    EXPECT_EQ(remove.TakeBox(L"Scourwell").substr(0, 40),
              "\"Search contents with Scourwell\" is no l");
    EXPECT_EQ(remove.Exit(false), 0u);
    EXPECT_EQ(Snapshot(parents[0]) + Snapshot(parents[1]) + Snapshot(parents[2]), before);
    EXPECT_NE(before.find("shell\\Other\\command"), std::string::npos);
    for (const std::wstring& parent : parents) {
        RegDeleteTreeW(HKEY_CURRENT_USER, (parent + L"\\Other").c_str());
    }
}

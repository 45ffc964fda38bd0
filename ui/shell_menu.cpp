#include "ui/shell_menu.h"

#include <windows.h>

#include "os/error_text.h"
#include "os/utf16.h"
#include "ui/handles.h"

namespace {

constexpr wchar_t kVerb[] = L"Search contents with Scourwell";

// The menus that get the entry, under HKCU, and what each passes for the folder clicked.
struct MenuPlace {
    const wchar_t* parent;
    const wchar_t* folderArgument;
};
constexpr MenuPlace kPlaces[] = {{L"Software\\Classes\\Directory\\shell", L"%1"},
                                 {L"Software\\Classes\\Directory\\Background\\shell", L"%V"},
                                 {L"Software\\Classes\\Drive\\shell", L"%1"}};
constexpr wchar_t kKeyName[] = L"Scourwell";

std::string Failure(const char* call, const std::wstring& key, LONG error) {
    return std::string(call) + " failed on HKEY_CURRENT_USER\\" + os::Narrow(key.c_str()) + ":\n" +
           os::ErrorText(static_cast<unsigned long>(error));
}

LONG SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

ShellMenuOutcome InstallShellMenu(const std::wstring& exePath) {
    const std::wstring program = L"\"" + exePath + L"\"";
    for (const MenuPlace& place : kPlaces) {
        const std::wstring path = std::wstring(place.parent) + L"\\" + kKeyName;
        RegistryKey verb, command;
        LONG error =
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, verb.Receive(), nullptr);
        if (error != ERROR_SUCCESS) {
            return {false, Failure("RegCreateKeyExW", path, error)};
        }
        error = SetText(verb.Get(), L"MUIVerb", kVerb);
        if (error == ERROR_SUCCESS) {
            error = SetText(verb.Get(), L"Icon", program + L",0");
        }
        if (error != ERROR_SUCCESS) {
            return {false, Failure("RegSetValueExW", path, error)};
        }
        error = RegCreateKeyExW(verb.Get(), L"command", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                command.Receive(), nullptr);
        if (error == ERROR_SUCCESS) {
            error =
                SetText(command.Get(), nullptr, program + L" \"" + place.folderArgument + L"\"");
        }
        if (error != ERROR_SUCCESS) {
            return {false, Failure("RegSetValueExW", path + L"\\command", error)};
        }
    }
    return {true,
            "The file browser's menu of folders, folder backgrounds and drives now has \"Search "
            "contents with Scourwell\", for your account alone.\n\nScourwell.exe /remove-menu "
            "takes it out again."};
}

ShellMenuOutcome RemoveShellMenu() {
    for (const MenuPlace& place : kPlaces) {
        RegistryKey parent;
        LONG error = RegOpenKeyExW(
            HKEY_CURRENT_USER, place.parent, 0,
            KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | DELETE, parent.Receive());
        if (error == ERROR_SUCCESS) {
            error = RegDeleteTreeW(parent.Get(), kKeyName);
        }
        // A place that never had the entry, or not even the parent, has nothing to remove.
        if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
            return {false, Failure("RegDeleteTreeW", std::wstring(place.parent) + L"\\" + kKeyName,
                                   error)};
        }
    }
    return {true, "\"Search contents with Scourwell\" is no longer in the file browser's menu."};
}

int RunShellMenuCommand(bool install) {
    std::wstring exePath(MAX_PATH, L'\0');
    DWORD length = 0;
    // The path may be longer than MAX_PATH: a cut one says so by filling the buffer.
    while ((length = GetModuleFileNameW(nullptr, &exePath[0],
                                        static_cast<DWORD>(exePath.size()))) == exePath.size() &&
           exePath.size() < 32768) {
        exePath.resize(exePath.size() * 2);
    }
    exePath.resize(length);
    const ShellMenuOutcome outcome = install ? InstallShellMenu(exePath) : RemoveShellMenu();
    MessageBoxW(nullptr, os::Widen(outcome.message).c_str(), L"Scourwell",
                MB_OK | (outcome.ok ? MB_ICONINFORMATION : MB_ICONWARNING));
    return outcome.ok ? 0 : 1;
}

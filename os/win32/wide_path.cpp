#include "os/win32/wide_path.h"

#include <windows.h>

#include <cwchar>

#include "os/utf16.h"

namespace os {

namespace {

bool StartsWith(const wchar_t* text, std::size_t length, const wchar_t* prefix) {
    const std::size_t n = std::wcslen(prefix);
    return length >= n && std::wmemcmp(text, prefix, n) == 0;
}

}  // namespace

bool FullWidePath(const std::wstring& wide, std::wstring& full) {
    // Twice at most: the first call may only tell the length a longer path needs.
    full.assign(wide.size() + MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length == 0) {
            return false;
        }
        if (length < full.size()) {
            full.resize(length);
            return true;
        }
        full.resize(length + 1);
    }
    return false;
}

bool LongPath(const std::string& path, std::wstring& out) {
    bool ok = false;
    const std::wstring wide = Widen(path, &ok);
    if (!ok || wide.empty()) {
        return false;
    }
    if (StartsWith(wide.data(), wide.size(), L"\\\\?\\") ||
        StartsWith(wide.data(), wide.size(), L"\\\\.\\")) {
        out = wide;
        return true;
    }
    std::wstring full;
    if (!FullWidePath(wide, full)) {
        return false;
    }
    const bool unc = StartsWith(full.data(), full.size(), L"\\\\");
    out.assign(unc ? L"\\\\?\\UNC" : L"\\\\?\\");
    out.append(full, unc ? 1 : 0, std::wstring::npos);
    return true;
}

std::string WithoutLongPrefix(const wchar_t* path, std::size_t length) {
    if (StartsWith(path, length, L"\\\\?\\UNC\\")) {
        return "\\" + Narrow(path + 7, length - 7);
    }
    if (StartsWith(path, length, L"\\\\?\\")) {
        return Narrow(path + 4, length - 4);
    }
    return Narrow(path, length);
}

}  // namespace os

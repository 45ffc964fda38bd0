#include "ui/clipboard.h"

#include <shlobj.h>

#include <cstring>

#include "os/utf16.h"

namespace {

GlobalMemory CopyToGlobal(const void* data, std::size_t bytes, std::size_t offset = 0) {
    GlobalMemory memory(offset + bytes);
    if (void* to = memory.Get() ? GlobalLock(memory.Get()) : nullptr) {
        std::memcpy(static_cast<char*>(to) + offset, data, bytes);
        GlobalUnlock(memory.Get());
    }
    return memory;
}

// The names one after another, each ending in a zero, and one more zero after the last.
std::wstring ZeroSeparated(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) {
        names += os::Widen(path);
        names += L'\0';
    }
    names += L'\0';
    return names;
}

// Hands the block to the open clipboard, which owns it from then on. A null block would ask for
// the data to be made later instead.
bool Put(UINT format, GlobalMemory&& block) {
    if (block.Get() == nullptr || SetClipboardData(format, block.Get()) == nullptr) {
        return false;
    }
    block.Release();
    return true;
}

}  // namespace

GlobalMemory MakeFileDrop(const std::vector<std::string>& paths) {
    const std::wstring names = ZeroSeparated(paths);
    GlobalMemory drop =
        CopyToGlobal(names.data(), names.size() * sizeof(wchar_t), sizeof(DROPFILES));
    if (auto* header = drop.Get() ? static_cast<DROPFILES*>(GlobalLock(drop.Get())) : nullptr) {
        *header = DROPFILES{};
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        GlobalUnlock(drop.Get());
    }
    return drop;
}

bool CopyToClipboard(HWND owner, const std::vector<std::string>& lines, bool asFiles) {
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? L"" : L"\r\n") + os::Widen(lines[i]);
    }
    const ClipboardSession clipboard(owner);
    if (!clipboard.Opened() || !EmptyClipboard() ||
        !Put(CF_UNICODETEXT, CopyToGlobal(text.c_str(), (text.size() + 1) * sizeof(wchar_t)))) {
        return false;
    }
    const DWORD copy = DROPEFFECT_COPY;
    return !asFiles || (Put(CF_HDROP, MakeFileDrop(lines)) &&
                        Put(RegisterClipboardFormatW(L"Preferred DropEffect"),
                            CopyToGlobal(&copy, sizeof copy)));
}

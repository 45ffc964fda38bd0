#include "os/replace_file.h"

#include <windows.h>

#include "os/error_text.h"
#include "os/win32/file_handle.h"
#include "os/win32/system_paths.h"
#include "os/win32/wide_path.h"

namespace os {

namespace {

// Writes all of bytes, in pieces a DWORD can count.
bool WriteAll(HANDLE file, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    std::wstring target;
    if (!LongPath(path, target)) {
        error = ErrorText(ERROR_INVALID_NAME);
        return false;
    }
    // A name of its own beside the target: the process and a count keep two saves apart.
    std::wstring temporary;
    FileHandle file(INVALID_HANDLE_VALUE);
    for (int attempt = 0; attempt < 100 && !file.Valid(); ++attempt) {
        temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(attempt) + L".tmp";
        file = FileHandle(
            CreateFileAt(temporary.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
        if (!file.Valid() && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (!file.Valid()) {
        error = LastErrorText();
        return false;
    }
    const bool written = WriteAll(file.Get(), bytes);
    DWORD code = GetLastError();
    file = FileHandle(INVALID_HANDLE_VALUE);  // closed before the rename
    // Windows refuses to replace a read-only file; Wine would replace it.
    const DWORD old = FileAttributesAt(target.c_str());
    const bool readOnly = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY) != 0;
    if (written && !readOnly &&
        MoveFileAt(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    code = !written ? code : readOnly ? ERROR_ACCESS_DENIED : GetLastError();
    DeleteFileAt(temporary.c_str());
    error = ErrorText(code);
    return false;
}

}  // namespace os

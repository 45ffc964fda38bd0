// The program's every Win32 call that takes a path, in one place. Windows refuses a path of
// MAX_PATH characters or more unless it is in the \\?\ form; Wine takes it all the same. With
// SCOURWELL_STRICT_PATHS set, as the tests set it, these refuse such a path as Windows would,
// so that a call made without the long form fails under Wine too. Inside os/win32 only.
#pragma once

#include <windows.h>

namespace os {

HANDLE CreateFileAt(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
DWORD FileAttributesAt(const wchar_t* path);
HANDLE FindFirstAt(const wchar_t* pattern, WIN32_FIND_DATAW* data, DWORD flags);
BOOL MoveFileAt(const wchar_t* from, const wchar_t* to, DWORD flags);
BOOL DeleteFileAt(const wchar_t* path);

}  // namespace os

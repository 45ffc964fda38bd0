#include "os/fs_redirection.h"

#include <windows.h>

namespace os {

namespace {

using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

}  // namespace

FsRedirection::FsRedirection() {
    disable_ = reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "Wow64DisableWow64FsRedirection"));
    revert_ = reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "Wow64RevertWow64FsRedirection"));
}

void FsRedirection::Disable(void** saved) {
    reinterpret_cast<DisableFn>(disable_)(saved);
}

void FsRedirection::Revert(void* saved) {
    reinterpret_cast<RevertFn>(revert_)(saved);
}

}  // namespace os

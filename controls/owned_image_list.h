// Owning wrapper for an image list the program made itself (never one of the system's, which
// the shell keeps). Move-only; ImageList_Destroy releases it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "controls/gdi_handles.h"

struct DestroyImageList {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using OwnedImageList = OwnedHandle<HIMAGELIST, DestroyImageList>;

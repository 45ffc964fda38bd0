// Reads the resources linked into this executable back through Win32 and compares them with
// what the dialog code and the shell expect to find.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

HMODULE Self() {
    return GetModuleHandleA(nullptr);
}

struct Blob {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Blob FindBlob(LPCSTR type, WORD id) {
    HRSRC found = FindResourceExA(Self(), type, MAKEINTRESOURCEA(id), kUsEnglish);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(Self(), found);
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(Self(), found)};
}

// Little-endian reader over a resource; reading past the end marks it failed instead of
// running off the buffer.
class Reader {
  public:
    explicit Reader(Blob blob) : blob_(blob) {}

    bool Ok() const { return ok_; }
    DWORD Offset() const { return offset_; }

    DWORD Read(int bytes) {
        if (!ok_ || offset_ + bytes > blob_.size) {
            ok_ = false;
            return 0;
        }
        DWORD value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<DWORD>(blob_.data[offset_ + i]) << (8 * i);
        }
        offset_ += bytes;
        return value;
    }
    WORD Word() { return static_cast<WORD>(Read(2)); }
    DWORD Dword() { return Read(4); }
    short Short() { return static_cast<short>(Read(2)); }
    BYTE Byte() { return static_cast<BYTE>(Read(1)); }
    void AlignDword() { offset_ = (offset_ + 3) & ~3u; }

    // A zero-terminated UTF-16 string; our texts are ASCII.
    std::string Text() {
        std::string text;
        for (WORD c = Word(); ok_ && c != 0; c = Word()) {
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }

    // sz_Or_Ord: 0xFFFF and an ordinal, or a string. Ordinals come back as "#n".
    std::string NameOrOrdinal() {
        if (blob_.size >= offset_ + 2 && blob_.data[offset_] == 0xFF &&
            blob_.data[offset_ + 1] == 0xFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }

  private:
    Blob blob_;
    DWORD offset_ = 0;
    bool ok_ = true;
};

// The predefined control classes that templates name by ordinal.
std::string ClassName(const std::string& stored) {
    static const std::map<std::string, std::string> byOrdinal = {
        {"#128", "BUTTON"}, {"#129", "EDIT"}, {"#130", "STATIC"}};
    auto it = byOrdinal.find(stored);
    return it != byOrdinal.end() ? it->second : stored;
}

struct ExpectedControl {
    WORD id;
    const char* className;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kPathListStyle = kChild | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                                 LVS_SHAREIMAGELISTS | LVS_ALIGNLEFT | LVS_NOCOLUMNHEADER;
constexpr DWORD kResultListStyle =
    kChild | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;

// Template order, which is also the tab order.
const ExpectedControl kControls[] = {
    {IDC_EXT_FILTER, "EDIT", "", 256, 3, 32, 13, kEdit, WS_EX_CLIENTEDGE},
    {IDC_PATH_EDIT, "EDIT", "", 4, 20, 254, 13, kEdit, WS_EX_CLIENTEDGE},
    {IDC_ADD, "BUTTON", "Add", 262, 20, 28, 13, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDC_PATH_LIST, "SysListView32", "", 4, 36, 286, 46, kPathListStyle, WS_EX_CLIENTEDGE},
    {IDC_START, "BUTTON", "&Start Search", 4, 86, 78, 15, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0},
    {IDC_STOP, "BUTTON", "Stop", 212, 86, 78, 15, kChild | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
     0},
    {IDC_RESULT_LIST, "SysListView32", "", 4, 105, 286, 91, kResultListStyle, WS_EX_CLIENTEDGE},
    {IDC_STATUS, "STATIC", "Ready...", 4, 199, 286, 9, kChild | SS_LEFT, 0},
    {IDC_PROGRESS, "msctls_progress32", "", 4, 212, 286, 13, kChild, 0},
    {IDC_SEARCH_TEXT, "EDIT", "", 4, 3, 132, 13, kEdit, WS_EX_CLIENTEDGE},
    {IDC_MATCH_CASE, "BUTTON", "Match Case", 138, 5, 52, 9, kChild | WS_TABSTOP | BS_AUTOCHECKBOX,
     0},
    {IDC_EXT_LABEL, "STATIC", "Extension Filter:", 196, 5, 58, 9,
     kChild | SS_RIGHT | SS_CENTERIMAGE, 0},
};

TEST(MainDialogTemplate, HeaderAndControlsInTemplateOrder) {
    const Blob blob = FindBlob(RT_DIALOG, IDD_MAIN);
    ASSERT_NE(blob.data, nullptr);
    Reader r(blob);
    EXPECT_EQ(r.Word(), 1);       // dlgVer: an extended template
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature
    EXPECT_EQ(r.Dword(), 0u);     // help id
    EXPECT_EQ(r.Dword(), 0u);     // extended style
    const DWORD style = r.Dword();
    EXPECT_EQ(style, 0x12CF0844u);
    EXPECT_EQ(style & WS_POPUP, 0u) << "an overlapped window with its own taskbar button";
    ASSERT_EQ(r.Word(), static_cast<WORD>(std::size(kControls)));
    EXPECT_EQ(r.Short(), 6);
    EXPECT_EQ(r.Short(), 5);
    EXPECT_EQ(r.Short(), 296);
    EXPECT_EQ(r.Short(), 231);
    EXPECT_EQ(r.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(r.NameOrOrdinal(), "");  // the standard dialog class
    EXPECT_EQ(r.Text(), "Scourwell");
    EXPECT_EQ(r.Word(), 8);  // points
    EXPECT_EQ(r.Word(), 0);  // weight
    EXPECT_EQ(r.Byte(), 0);  // not italic
    EXPECT_EQ(r.Byte(), DEFAULT_CHARSET);
    EXPECT_EQ(r.Text(), "Tahoma");

    for (const ExpectedControl& want : kControls) {
        SCOPED_TRACE("control " + std::to_string(want.id));
        r.AlignDword();
        EXPECT_EQ(r.Dword(), 0u);  // help id
        EXPECT_EQ(r.Dword(), want.exStyle);
        // windres adds WS_CHILD | WS_VISIBLE and, to EDITTEXT, WS_BORDER by itself.
        EXPECT_EQ(r.Dword(), want.style);
        EXPECT_EQ(r.Short(), want.x);
        EXPECT_EQ(r.Short(), want.y);
        EXPECT_EQ(r.Short(), want.cx);
        EXPECT_EQ(r.Short(), want.cy);
        EXPECT_EQ(r.Dword(), want.id);
        // windres keeps class names in upper case; window classes ignore case.
        EXPECT_EQ(_stricmp(ClassName(r.NameOrOrdinal()).c_str(), want.className), 0);
        EXPECT_EQ(r.NameOrOrdinal(), want.text);
        EXPECT_EQ(r.Word(), 0);  // no creation data
        ASSERT_TRUE(r.Ok());
    }
    EXPECT_EQ(r.Offset(), blob.size) << "nothing after the last control";
}

struct MenuItem {
    UINT id;
    std::string text;
};

// The popup of a context menu as the dialog shows it: LoadMenuA, then submenu 0.
std::vector<MenuItem> PopupItems(WORD menuId, std::string* popupText) {
    std::vector<MenuItem> items;
    HMENU menu = LoadMenuA(Self(), MAKEINTRESOURCEA(menuId));
    if (menu == nullptr) {
        return items;
    }
    char text[64] = "";
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    *popupText = text;
    HMENU popup = GetSubMenu(menu, 0);
    for (int i = 0; popup != nullptr && i < GetMenuItemCount(popup); ++i) {
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(GetMenuState(popup, i, MF_BYPOSITION), 0u) << "plain, enabled item " << text;
        items.push_back({GetMenuItemID(popup, i), text});
    }
    DestroyMenu(menu);
    return items;
}

TEST(ContextMenus, PathAndResultMenusHaveTheirCommands) {
    std::string popup;
    const std::vector<MenuItem> path = PopupItems(IDM_PATH_MENU, &popup);
    EXPECT_EQ(popup, "RClick Menu");
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0].id, static_cast<UINT>(ID_REMOVE_PATH));
    EXPECT_EQ(path[0].text, "&Remove");

    popup.clear();
    const std::vector<MenuItem> result = PopupItems(IDM_RESULT_MENU, &popup);
    EXPECT_EQ(popup, "RClick Menu");
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0].id, static_cast<UINT>(ID_OPEN_LOCATION));
    EXPECT_EQ(result[0].text, "&Open File Location");
    EXPECT_EQ(result[1].id, static_cast<UINT>(ID_EXECUTE_FILE));
    EXPECT_EQ(result[1].text, "&Execute Selected File");
}

struct IconEntry {
    int size;
    int bits;
    DWORD bytes;
    WORD id;
};

std::vector<IconEntry> IconGroup() {
    std::vector<IconEntry> entries;
    Reader r(FindBlob(RT_GROUP_ICON, IDI_MAIN));
    EXPECT_EQ(r.Word(), 0);
    EXPECT_EQ(r.Word(), 1);  // icons, not cursors
    const WORD count = r.Word();
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        const int width = r.Byte();
        const int height = r.Byte();
        const int colours = r.Byte();
        r.Byte();
        EXPECT_EQ(r.Word(), 1);  // planes
        const int bits = r.Word();
        const DWORD bytes = r.Dword();
        const WORD id = r.Word();
        EXPECT_EQ(width, height);
        EXPECT_EQ(colours, bits == 4 ? 16 : 0);
        entries.push_back({width, bits, bytes, id});
    }
    EXPECT_TRUE(r.Ok());
    return entries;
}

TEST(IconGroup, TenImagesInSizeAndDepthOrder) {
    const std::vector<IconEntry> entries = IconGroup();
    const std::pair<int, int> want[] = {{24, 4}, {16, 4},  {48, 8},  {32, 8},  {24, 8},
                                        {16, 8}, {48, 32}, {32, 32}, {24, 32}, {16, 32}};
    ASSERT_EQ(entries.size(), std::size(want));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].size, want[i].first) << "entry " << i;
        EXPECT_EQ(entries[i].bits, want[i].second) << "entry " << i;
    }
}

// Each image is a BMP entry whose mask makes a shape: some pixels let the screen through,
// some don't, and a see-through pixel adds nothing to the screen (black colour, no alpha).
TEST(IconGroup, EveryImageIsAMaskedBitmapThatLoads) {
    for (const IconEntry& entry : IconGroup()) {
        SCOPED_TRACE(std::to_string(entry.size) + " px, " + std::to_string(entry.bits) + " bpp");
        const Blob blob = FindBlob(RT_ICON, entry.id);
        ASSERT_NE(blob.data, nullptr);
        EXPECT_EQ(blob.size, entry.bytes);
        ASSERT_GE(blob.size, sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, blob.data, sizeof header);
        EXPECT_EQ(header.biSize, sizeof header);
        EXPECT_EQ(header.biWidth, entry.size);
        EXPECT_EQ(header.biHeight, 2 * entry.size);  // colour and mask
        EXPECT_EQ(header.biBitCount, entry.bits);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

        const int n = entry.size;
        const DWORD paletteBytes = entry.bits <= 8 ? 4u << entry.bits : 0;
        const DWORD colourStride = ((n * entry.bits + 31) / 32) * 4;
        const DWORD maskStride = ((n + 31) / 32) * 4;
        const BYTE* palette = blob.data + header.biSize;
        const BYTE* colour = palette + paletteBytes;
        const BYTE* mask = colour + colourStride * n;
        ASSERT_EQ(header.biSize + paletteBytes + (colourStride + maskStride) * n, blob.size);

        int clear = 0;
        int solid = 0;
        int wrong = 0;  // mask and colour disagree
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const bool seeThrough = (mask[y * maskStride + x / 8] >> (7 - x % 8)) & 1;
                const BYTE* row = colour + y * colourStride;
                if (entry.bits == 32) {
                    // Where alpha is all or nothing, the mask must agree with it.
                    const BYTE alpha = row[4 * x + 3];
                    wrong += seeThrough ? alpha == 255 : alpha == 0;
                } else if (seeThrough) {
                    const int index =
                        entry.bits == 8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
                    wrong += std::memcmp(palette + 4 * index, "\0\0\0", 3) != 0;
                }
                ++(seeThrough ? clear : solid);
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(clear, n) << "no see-through background";
        EXPECT_GT(solid, n * n / 2) << "hardly anything drawn";

        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(blob.data), blob.size, TRUE,
                                              0x00030000, n, n, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, n);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(IDI_MAIN)), nullptr);
}

// VerQueryValueA turns the stored UTF-16 texts into ANSI behind the block it is given,
// so the copy is twice the size, as GetFileVersionInfo would make it.
std::vector<BYTE> VersionCopy() {
    const Blob blob = FindBlob(RT_VERSION, VS_VERSION_INFO);
    std::vector<BYTE> copy(blob.size * 2 + 4);
    if (blob.data != nullptr) {
        std::memcpy(copy.data(), blob.data, blob.size);
    }
    return copy;
}

std::string VersionString(std::vector<BYTE>& block, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr) {
        return "(missing)";
    }
    return static_cast<const char*>(value);
}

TEST(VersionResource, FixedPartTranslationAndStrings) {
    std::vector<BYTE> block = VersionCopy();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(2, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(2, 0));
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0u);
    EXPECT_EQ(fixed->dwFileType, 0u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04E4);

    const std::map<std::string, std::string> want = {
        {"CompanyName", "Scourwell"},
        {"FileDescription", "Scourwell"},
        {"FileVersion", "1.0.0.2"},
        {"InternalName", "Scourwell"},
        {"LegalCopyright", "Copyright (C) 2026 Scourwell"},
        {"OriginalFilename", "Scourwell.exe"},
        {"ProductName", "Scourwell"},
        {"ProductVersion", "1.0.0.2"},
    };
    for (const auto& [name, value] : want) {
        EXPECT_EQ(VersionString(block, name.c_str()), value) << name;
    }
}

// The text of each <assemblyIdentity .../> element, in document order.
std::vector<std::string> AssemblyIdentities(const std::string& xml) {
    std::vector<std::string> found;
    for (std::size_t at = xml.find("<assemblyIdentity"); at != std::string::npos;
         at = xml.find("<assemblyIdentity", at + 1)) {
        found.push_back(xml.substr(at, xml.find("/>", at) - at));
    }
    return found;
}

bool Has(const std::string& element, const std::string& name, const std::string& value) {
    return element.find(" " + name + "=\"" + value + "\"") != std::string::npos;
}

#ifdef _WIN64
const std::string kArchitecture = "amd64";
#else
const std::string kArchitecture = "X86";
#endif

TEST(Manifest, NamesThisArchitectureAndCommonControls6) {
    const Blob blob = FindBlob(RT_MANIFEST, 1);
    ASSERT_NE(blob.data, nullptr);
    const std::string xml(reinterpret_cast<const char*>(blob.data), blob.size);
    const std::vector<std::string> identities = AssemblyIdentities(xml);
    ASSERT_EQ(identities.size(), 2u);

    const std::string& program = identities[0];
    EXPECT_TRUE(Has(program, "version", "1.0.0.0")) << program;
    EXPECT_TRUE(Has(program, "processorArchitecture", kArchitecture)) << program;
    EXPECT_TRUE(Has(program, "type", "win32")) << program;
    EXPECT_NE(xml.find("<description></description>"), std::string::npos);

    const std::string& controls = identities[1];
    EXPECT_LT(xml.find("<dependentAssembly>"), xml.find(controls));
    EXPECT_TRUE(Has(controls, "type", "win32")) << controls;
    EXPECT_TRUE(Has(controls, "name", "Microsoft.Windows.Common-Controls")) << controls;
    EXPECT_TRUE(Has(controls, "version", "6.0.0.0")) << controls;
    EXPECT_TRUE(Has(controls, "processorArchitecture", kArchitecture)) << controls;
    EXPECT_TRUE(Has(controls, "publicKeyToken", "6595b64144ccf1df")) << controls;
    EXPECT_TRUE(Has(controls, "language", "*")) << controls;
}

// The loader reads the manifest at start-up: comctl32.dll must come from the side-by-side
// Common Controls 6, which the cue banners need, not from the system folder.
TEST(Manifest, ProcessGetsCommonControls6) {
    ACTCTX_SECTION_KEYED_DATA redirect{};
    redirect.cbSize = sizeof redirect;
    EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         "comctl32.dll", &redirect));

    InitCommonControls();
    char loaded[MAX_PATH] = "";
    char system[MAX_PATH] = "";
    ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), loaded, MAX_PATH), 0u);
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_NE(_stricmp(loaded, (std::string(system) + "\\comctl32.dll").c_str()), 0) << loaded;
}

// Every resource is there in US English and only in it.
BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
    return TRUE;
}

TEST(Resources, AllInUsEnglish) {
    const std::pair<LPCSTR, WORD> resources[] = {
        {RT_DIALOG, IDD_MAIN},     {RT_MENU, IDM_PATH_MENU}, {RT_MENU, IDM_RESULT_MENU},
        {RT_GROUP_ICON, IDI_MAIN}, {RT_VERSION, 1},          {RT_MANIFEST, 1},
    };
    for (const auto& [type, id] : resources) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(Self(), type, MAKEINTRESOURCEA(id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{kUsEnglish})
            << "type " << reinterpret_cast<ULONG_PTR>(type) << ", id " << id;
    }
}

}  // namespace

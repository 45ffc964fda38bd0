#include "engine/file_list_builder.h"

#include <cstring>

#include "engine/ascii.h"
#include "engine/status_text.h"
#include "os/dir_listing.h"
#include "os/path.h"

bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool MatchesExtensionFilter(const char* name, const char* filter) {
    if (filter[0] == '\0') {
        return true;
    }
    const char* dot = std::strrchr(name, '.');
    return dot != nullptr && AsciiEqualFolded(dot, filter);
}

namespace {

class Walker {
  public:
    Walker(SearchState& state, SearchView& view, FolderLoopGuard& guard)
        : state_(state), view_(view), guard_(guard) {}

    void Walk(const std::string& folder) {
        std::uint32_t number = kNoFolder;  // the folder's in the file list, once it has a file
        os::DirListing listing(folder);
        for (; listing.Valid(); listing.Next()) {
            if (StopRequested(state_)) {
                break;
            }
            const os::DirEntry& entry = listing.Entry();
            if (entry.isDirectory) {
                if (!IsDotEntry(entry.name.c_str())) {
                    const std::string path = Join(folder, entry.name);
                    if (guard_.Enter(path, entry.name, entry.isLink)) {
                        Walk(path);
                        guard_.Leave();
                    }
                }
            } else if (!IsDotEntry(entry.name.c_str()) &&
                       MatchesExtensionFilter(entry.name.c_str(),
                                              state_.settings.extensionFilter)) {
                Consider(folder, entry, number);
            }
        }
    }

  private:
    static std::string Join(const std::string& folder, const std::string& name) {
        std::string path;
        path.reserve(folder.size() + 1 + name.size());
        path.append(folder).push_back(os::kPathSeparator);
        path.append(name);
        return path;
    }

    // A folder's path is kept once, when its first file is listed.
    void Consider(const std::string& folder, const os::DirEntry& entry, std::uint32_t& number) {
        if (entry.size > 0) {
            FileList& files = state_.fileList;
            if (number == kNoFolder) {
                number = files.AddFolder(folder);
            }
            files.AddFile(number, entry.name, entry.size, entry.lastWriteTime);
        }
        if (TakeStatusDue(state_)) {
            StatusBuffer text;
            FormatStatus(text, "Building File List... %u",
                         static_cast<unsigned>(state_.fileList.size()));
            view_.SetStatusText(text);
        }
    }

    static constexpr std::uint32_t kNoFolder = 0xFFFFFFFF;

    SearchState& state_;
    SearchView& view_;
    FolderLoopGuard& guard_;
};

}  // namespace

void BuildFileList(const std::string& folder, SearchState& state, SearchView& view,
                   FolderLoopGuard& guard) {
    if (guard.EnterSearchFolder(folder)) {
        Walker(state, view, guard).Walk(folder);
        guard.Leave();
    }
}

void BuildFileList(const std::string& folder, SearchState& state, SearchView& view) {
    FolderLoopGuard guard({folder});
    BuildFileList(folder, state, view, guard);
}

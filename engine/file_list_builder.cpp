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
                Consider(folder, entry);
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

    void Consider(const std::string& folder, const os::DirEntry& entry) {
        if (entry.size > 0) {
            FileEntry& added = state_.fileList.emplace_back();
            added.lastWriteTime = entry.lastWriteTime;
            added.size = entry.size;
            added.fullPath = Join(folder, entry.name);
            added.name = entry.name;
        }
        if (TakeStatusDue(state_)) {
            StatusBuffer text;
            FormatStatus(text, "Building File List... %u",
                         static_cast<unsigned>(state_.fileList.size()));
            view_.SetStatusText(text);
        }
    }

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

#include "engine/file_list_builder.h"

#include <cstring>
#include <vector>

#include "engine/ascii.h"
#include "engine/status_text.h"
#include "os/path.h"

bool MatchesExtensionFilter(const char* name, const char* filter) {
    if (filter[0] == '\0') {
        return true;
    }
    const char* dot = std::strrchr(name, '.');
    return dot != nullptr && AsciiEqualFolded(dot, filter);
}

namespace {

// Each folder asks for at most this many of its sub-folders ahead, so that deeper folders,
// which the walk enters first, still find room.
constexpr std::size_t kAheadPerFolder = 32;

std::string Join(const std::string& folder, const std::string& name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).push_back(os::kPathSeparator);
    path.append(name);
    return path;
}

class Walker {
  public:
    Walker(SearchState& state, SearchView& view, FolderLoopGuard& guard, FolderPrefetch& prefetch,
           const std::function<void()>& published)
        : state_(state), view_(view), guard_(guard), prefetch_(prefetch), published_(published) {}

    void Walk(const std::string& folder, const FolderListing& listing) {
        frames_.push_back({&folder, &listing.entries, 0, 0});
        Announce();
        std::uint32_t number = kNoFolder;  // the folder's in the file list, once it has a file
        const std::vector<os::DirEntry>& entries = listing.entries;
        for (std::size_t i = 0; i < entries.size() && !StopRequested(state_); ++i) {
            frames_.back().next = i + 1;
            const os::DirEntry& entry = entries[i];
            if (!entry.isDirectory) {
                if (MatchesExtensionFilter(entry.name.c_str(), state_.settings.extensionFilter)) {
                    Consider(folder, entry, number);
                }
                continue;
            }
            const std::string path = Join(folder, entry.name);
            if (!guard_.Enter(path, entry.name, entry.isLink)) {
                prefetch_.Drop(path);
                continue;
            }
            const FolderListing inner = prefetch_.Take(path);
            if (inner.opened) {
                Walk(path, inner);
            }
            guard_.Leave();
        }
        frames_.pop_back();
        Publish();
    }

  private:
    struct Frame {
        const std::string* folder;
        const std::vector<os::DirEntry>* entries;
        std::size_t next;       // the entry the walk comes to next
        std::size_t announced;  // the entries before it were asked for, where folders
    };

    static constexpr std::uint32_t kNoFolder = 0xFFFFFFFF;

    // Asks for the folders the walk enters soonest: the innermost folder's next sub-folders
    // first, then those of the folders around it.
    void Announce() {
        std::size_t room = prefetch_.Room();
        std::vector<std::string> paths;
        for (std::size_t depth = frames_.size(); depth-- > 0 && room > 0;) {
            Frame& frame = frames_[depth];
            const std::size_t end = std::min(frame.entries->size(), frame.next + kAheadPerFolder);
            paths.clear();
            for (frame.announced = std::max(frame.announced, frame.next);
                 frame.announced < end && paths.size() < room; ++frame.announced) {
                const os::DirEntry& entry = (*frame.entries)[frame.announced];
                if (entry.isDirectory) {
                    paths.push_back(Join(*frame.folder, entry.name));
                }
            }
            if (!paths.empty()) {
                prefetch_.Request(paths, depth + 1);
                room -= paths.size();
            }
        }
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

    void Publish() {
        if (state_.fileList.Published() != state_.fileList.size()) {
            state_.fileList.Publish();
            if (published_) {
                published_();
            }
        }
    }

    SearchState& state_;
    SearchView& view_;
    FolderLoopGuard& guard_;
    FolderPrefetch& prefetch_;
    const std::function<void()>& published_;
    std::vector<Frame> frames_;
};

}  // namespace

void BuildFileList(const std::string& folder, SearchState& state, SearchView& view,
                   FolderLoopGuard& guard, FolderPrefetch& prefetch,
                   const std::function<void()>& published) {
    if (guard.EnterSearchFolder(folder)) {
        const FolderListing listing = prefetch.Take(folder);
        Walker walker(state, view, guard, prefetch, published);
        walker.Walk(folder, listing);
        guard.Leave();
    }
}

void BuildFileList(const std::string& folder, SearchState& state, SearchView& view) {
    FolderLoopGuard guard({folder});
    FolderPrefetch walkAlone(0, 0, state.stopFlag);
    BuildFileList(folder, state, view, guard, walkAlone);
}

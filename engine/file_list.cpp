#include "engine/file_list.h"

#include <cstring>

#include "os/path.h"

std::uint32_t FileList::AddFolder(std::string_view path) {
    folders_.push_back(texts_.Add(path));
    return static_cast<std::uint32_t>(folders_.size() - 1);
}

void FileList::AddFile(std::uint32_t folder, std::string_view name, std::int64_t size,
                       std::uint64_t lastWriteTime) {
    FileRecord record;
    record.lastWriteTime = lastWriteTime;
    record.size = size;
    record.folder = folder;
    record.name = texts_.Add(name);
    records_.push_back(record);
}

void FileList::clear() {
    published_.store(0);
    records_.clear();
    folders_.clear();
    texts_.clear();
}

void FileList::FullPath(const FileRecord& file, std::string& out) const {
    const char* folder = texts_.Get(folders_[file.folder]);
    const char* name = texts_.Get(file.name);
    const std::size_t folderLength = std::strlen(folder);
    out.assign(folder, folderLength);
    out.push_back(os::kPathSeparator);
    out.append(name);
}

std::string FileList::FullPath(const FileRecord& file) const {
    std::string path;
    FullPath(file, path);
    return path;
}

#include "ui/path_list_rules.h"

#include "engine/ascii.h"

namespace {

bool PrefixEqualFolded(const std::string& a, const std::string& b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(static_cast<unsigned char>(a[i])) !=
            FoldAscii(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Whether row lies inside path: path, a backslash, then more.
bool Covers(const std::string& path, const std::string& row) {
    const std::size_t n = path.size();
    return row.size() > n && PrefixEqualFolded(row, path, n) && row[n] == '\\';
}

}  // namespace

void NormalizeSearchPath(std::string& path) {
    if (path.size() > 2 && path.back() == '\\') {
        path.pop_back();
    }
}

std::string DriveAloneAsRoot(const std::string& path) {
    const char letter = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
    const bool driveAlone = path.size() == 2 && path[1] == ':' && letter >= 'a' && letter <= 'z';
    return driveAlone ? path + "\\" : path;
}

bool SameSearchPath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && PrefixEqualFolded(a, b, a.size());
}

PathOverlap FindPathOverlap(const std::vector<std::string>& rows, const std::string& path) {
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        const std::size_t e = row.size();
        const bool decides = e > n    ? Covers(path, row)
                             : e == n ? PrefixEqualFolded(row, path, n)
                                      : PrefixEqualFolded(path, row, e) && path[e] == '\\';
        if (!decides) {
            continue;
        }
        PathOverlap overlap;
        overlap.kind =
            e > n ? PathOverlap::Kind::kParentOfRow : PathOverlap::Kind::kAlreadyIncluded;
        overlap.row = static_cast<int>(i);
        for (std::size_t j = i + 1; e > n && j < rows.size(); ++j) {
            if (Covers(path, rows[j])) {
                overlap.alsoCovered.push_back(static_cast<int>(j));
            }
        }
        return overlap;
    }
    return {};
}

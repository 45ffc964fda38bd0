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

}  // namespace

void NormalizeSearchPath(std::string& path) {
    if (path.size() > 2 && path.back() == '\\') {
        path.pop_back();
    }
}

PathOverlap FindPathOverlap(const std::vector<std::string>& rows, const std::string& path) {
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        const std::size_t e = row.size();
        const bool decides = e > n    ? PrefixEqualFolded(row, path, n) && row[n] == '\\'
                             : e == n ? PrefixEqualFolded(row, path, n)
                                      : PrefixEqualFolded(path, row, e) && path[e] == '\\';
        if (decides) {
            return {e > n ? PathOverlap::Kind::kParentOfRow : PathOverlap::Kind::kAlreadyIncluded,
                    static_cast<int>(i)};
        }
    }
    return {};
}

#include "tests/support/temp_tree.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

#include "os/path.h"

namespace fs = std::filesystem;

std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
    // Days since 1970-01-01 of a proleptic Gregorian date, counting years from March.
    const int y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t days =
        era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
    const std::int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
}

std::size_t ListFile(FileList& files, const std::string& path, std::int64_t size,
                     std::uint64_t lastWriteTime) {
    const std::size_t cut = path.find_last_of(os::kPathSeparator);
    files.AddFile(files.AddFolder(path.substr(0, cut)), path.substr(cut + 1), size, lastWriteTime);
    files.Publish();
    return files.size() - 1;
}

TempTree::TempTree() {
    // The counter keeps names apart where random_device is not random.
    static std::atomic<unsigned> counter{0};
    const std::string stem = "scourwell-test-" + std::to_string(std::random_device{}()) + "-";
    do {
        root_ = fs::temp_directory_path() / (stem + std::to_string(counter++));
    } while (!fs::create_directory(root_));  // false when the name is taken; throws on errors
}

TempTree::~TempTree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void TempTree::AddFolder(const std::string& relative) const {
    fs::create_directories(Path(relative));
}

std::string TempTree::AddFile(const std::string& relative, const std::string& content) const {
    const fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    if (!out.write(content.data(), static_cast<std::streamsize>(content.size())).flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path.string();
}

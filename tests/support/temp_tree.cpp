#include "tests/support/temp_tree.h"

#include "tests/support/file_times.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

}  // namespace

std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t unixSeconds =
        DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(unixSeconds + 11644473600LL) * 10000000ULL;
}

TempTree::TempTree() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate =
            base / ("scourwell-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path.string();
}

void TempTree::SetWriteTime(const std::string& relative, std::uint64_t fileTime) const {
    if (!SetFileWriteTime(Path(relative).string(), fileTime)) {
        throw std::runtime_error("cannot set the time of " + relative);
    }
}

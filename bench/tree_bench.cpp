// The whole walk and content phase over a real tree, timed side by side with grep and
// ripgrep on the same tree and text, rounds interleaved so noise hits all alike.
// Usage: tree_bench FOLDER TEXT [rounds] [fold]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/null_view.h"
#include "bench/timing.h"
#include "engine/content_matcher.h"
#include "engine/file_list_builder.h"

namespace {

struct ScourwellRun {
    double walkSeconds = 0;
    double contentSeconds = 0;
    std::size_t candidates = 0;
    std::uint64_t found = 0;
};

ScourwellRun RunScourwell(const std::string& folder, const std::string& text, bool matchCase) {
    SearchState state;
    NullView view;
    ScourwellRun run;
    const double start = NowSeconds();
    BuildFileList(folder, state, view);
    const double walked = NowSeconds();
    const TextFinder finder(text.data(), text.size(), matchCase);
    SearchProgress progress;
    progress.fileCount = state.fileList.size();
    for (const FileEntry& entry : state.fileList) {
        ScanFileForText(entry, finder, progress, state, view);
        ++progress.fileIndex;
    }
    run.walkSeconds = walked - start;
    run.contentSeconds = NowSeconds() - walked;
    run.candidates = state.fileList.size();
    run.found = progress.foundCount;
    return run;
}

// Runs a shell command, returns its wall time; its output is counted in lines.
double RunTool(const std::string& command, long& lines) {
    const double start = NowSeconds();
    FILE* pipe = popen(command.c_str(), "r");
    lines = 0;
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        ++lines;
    }
    pclose(pipe);
    return NowSeconds() - start;
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tree_bench FOLDER TEXT [rounds] [fold]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string text = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
    const bool fold = argc > 4 && std::strcmp(argv[4], "fold") == 0;
    const bool haveRg = std::system("command -v rg >/dev/null 2>&1") == 0;
    const std::string i = fold ? "i" : "";
    const std::string grep = "grep -rlaF" + i + " -- " + Quote(text) + " " + Quote(folder);
    const std::string rg = "rg -j1 -l -a -uuu -F" + std::string(fold ? " -i" : "") + " -- " +
                           Quote(text) + " " + Quote(folder);
    // The walk follows links, as Windows listings do; ripgrep does so only when asked.
    const std::string rgFollow = "rg -j1 -L -l -a -uuu -F" + std::string(fold ? " -i" : "") +
                                 " -- " + Quote(text) + " " + Quote(folder);

    RunScourwell(folder, text, !fold);  // warm the caches
    std::vector<double> ours, walk, content, grepTimes, rgTimes, rgFollowTimes;
    ScourwellRun last;
    long grepFound = 0, rgFound = 0, rgFollowFound = 0;
    for (int r = 0; r < rounds; ++r) {
        last = RunScourwell(folder, text, !fold);
        ours.push_back(last.walkSeconds + last.contentSeconds);
        walk.push_back(last.walkSeconds);
        content.push_back(last.contentSeconds);
        grepTimes.push_back(RunTool(grep, grepFound));
        if (haveRg) {
            rgTimes.push_back(RunTool(rg, rgFound));
            rgFollowTimes.push_back(RunTool(rgFollow, rgFollowFound));
        }
    }
    std::printf("tree %s, text \"%s\" (%s), %d rounds, medians\n", folder.c_str(), text.c_str(),
                fold ? "fold" : "match case", rounds);
    std::printf("scourwell  %.3f s (walk %.3f s, content %.3f s), %zu candidates, %llu found\n",
                Median(ours), Median(walk), Median(content), last.candidates,
                static_cast<unsigned long long>(last.found));
    std::printf("grep -rlaF %.3f s, %ld found; scourwell/grep = %.2f\n", Median(grepTimes),
                grepFound, Median(ours) / Median(grepTimes));
    if (haveRg) {
        std::printf("rg -j1     %.3f s, %ld found; scourwell/rg = %.2f\n", Median(rgTimes), rgFound,
                    Median(ours) / Median(rgTimes));
        std::printf("rg -j1 -L  %.3f s, %ld found; scourwell/rg -L = %.2f\n", Median(rgFollowTimes),
                    rgFollowFound, Median(ours) / Median(rgFollowTimes));
    } else {
        std::printf("rg not installed\n");
    }
    return 0;
}

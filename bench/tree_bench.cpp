// The whole walk and content phase of the search job over a real tree, timed apart, for
// several reader counts and read sizes in interleaved rounds. Builds for the host and for
// Windows; bench/tree-bench.sh runs it beside ripgrep, natively and under Wine.
// Usage: tree_bench FOLDER TEXT [rounds] [configs] [fold] [tsv]
//   configs: comma-separated; "inline" is one file after another on the calling thread with
//   4095-byte reads and the walk on it too (the engine before the reader pool), "R" is R
//   readers with the default read size, "RxS" R readers reading S bytes per call, "pool" the
//   engine's defaults; a suffix "lL" sets L listers ahead of the walk ("pooll0": none).
//   Default: inline,1,pool.
//   tsv: one line per run (config, walk s, content s, candidates, found) instead of medians.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/null_view.h"
#include "bench/timing.h"
#include "engine/content_matcher.h"
#include "engine/file_list_builder.h"
#include "job/search_job.h"
#include "os/read_only_file.h"

namespace {

struct Config {
    std::string name;
    SearchOptions options;
    bool bare = false;
};

struct Run {
    double walk = 0;
    double content = 0;
    std::size_t candidates = 0;
    std::size_t found = 0;
};

// Feeds the job one folder and the text, and notes when the walk and the content phase end.
class TimingView : public NullView {
  public:
    TimingView(const std::string& folder, const std::string& text, bool matchCase)
        : folder_(folder), text_(text), matchCase_(matchCase) {}

    bool ReadMatchCase() override { return matchCase_; }
    // The text is taken as ASCII, whose ANSI bytes are its units.
    void ReadSearchText(TypedText& text) override {
        text = {std::u16string(text_.begin(), text_.end()), text_};
    }
    int FolderCount() override { return 1; }
    void ReadFolder(int, char (&buffer)[kTextBufferSize]) override { Copy(folder_, buffer); }
    void SetPercentRange() override { walked = NowSeconds(); }
    void SetStatusText(const char* text) override {
        if (std::strcmp(text, "Populating List...") == 0) {
            searched = NowSeconds();
        }
    }

    double walked = 0;
    double searched = 0;

  private:
    static void Copy(const std::string& from, char (&to)[kTextBufferSize]) {
        std::snprintf(to, kTextBufferSize, "%s", from.c_str());
    }

    std::string folder_;
    std::string text_;
    bool matchCase_;
};

// Counts files that gave at least one byte as found.
Run RunBare(const std::string& folder) {
    SearchState state;
    Run run;
    TimingView view(folder, "", true);
    const double start = NowSeconds();
    BuildFileList(folder, state, view);
    const double walked = NowSeconds();
    std::vector<char> buffer(kDefaultReadSize);
    std::string path;
    for (std::size_t i = 0; i < state.fileList.size(); ++i) {
        state.fileList.FullPath(state.fileList[i], path);
        os::ReadOnlyFile file(path);
        run.found += file.Read(buffer.data(), buffer.size()) > 0 ? 1 : 0;
    }
    run.walk = walked - start;
    run.content = NowSeconds() - walked;
    run.candidates = state.fileList.size();
    return run;
}

Run RunOnce(const Config& config, const std::string& folder, const std::string& text,
            bool matchCase) {
    if (config.bare) {
        return RunBare(folder);
    }
    SearchState state;
    Run run;
    const double start = NowSeconds();
    TimingView view(folder, text, matchCase);
    RunSearchJob(state, view, config.options);
    run.walk = view.walked - start;
    run.content = view.searched - view.walked;
    run.candidates = state.fileList.size();
    run.found = state.resultSet.size();
    return run;
}

std::vector<Config> ParseConfigs(const std::string& list) {
    std::vector<Config> configs;
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t to = list.find(',', from);
        if (to == std::string::npos) {
            to = list.size();
        }
        Config config;
        config.name = list.substr(from, to - from);
        std::size_t lister = config.name.rfind('l');  // "pool" and "inline" hold an l too
        if (lister == std::string::npos || lister + 1 == config.name.size() ||
            !std::isdigit(static_cast<unsigned char>(config.name[lister + 1]))) {
            lister = std::string::npos;
        } else {
            config.options.listers =
                static_cast<unsigned>(std::strtoul(config.name.c_str() + lister + 1, nullptr, 10));
        }
        const std::string readers = config.name.substr(0, lister);
        if (readers == "inline") {
            config.options.readers = 0;
            config.options.listers = lister == std::string::npos ? 0 : config.options.listers;
        } else if (readers == "bare") {
            config.bare = true;
        } else if (readers != "pool") {
            char* rest = nullptr;
            config.options.readers =
                static_cast<unsigned>(std::strtoul(readers.c_str(), &rest, 10));
            if (*rest == 'x') {
                config.options.readSize = std::strtoul(rest + 1, nullptr, 10);
            }
        }
        configs.push_back(config);
        from = to + 1;
    }
    return configs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tree_bench FOLDER TEXT [rounds] [configs] [fold] [tsv]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string text = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    const std::vector<Config> configs = ParseConfigs(argc > 4 ? argv[4] : "inline,1,pool");
    bool fold = false;
    bool tsv = false;
    for (int i = 5; i < argc; ++i) {
        fold = fold || std::strcmp(argv[i], "fold") == 0;
        tsv = tsv || std::strcmp(argv[i], "tsv") == 0;
    }

    std::vector<std::vector<Run>> runs(configs.size());
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t c = 0; c < configs.size(); ++c) {
            const Run run = RunOnce(configs[c], folder, text, !fold);
            runs[c].push_back(run);
            if (tsv) {
                std::printf("%s\t%.4f\t%.4f\t%zu\t%zu\n", configs[c].name.c_str(), run.walk,
                            run.content, run.candidates, run.found);
                std::fflush(stdout);
            }
        }
    }
    if (tsv) {
        return 0;
    }
    std::printf("tree %s, text \"%s\" (%s), %d rounds, medians in seconds\n", folder.c_str(),
                text.c_str(), fold ? "fold" : "match case", rounds);
    std::printf("%-12s %8s %8s %8s %10s %8s %9s\n", "config", "total", "walk", "content",
                "candidates", "found", "vs first");
    double first = 0;
    for (std::size_t c = 0; c < configs.size(); ++c) {
        std::vector<double> total, walk, content;
        for (const Run& run : runs[c]) {
            total.push_back(run.walk + run.content);
            walk.push_back(run.walk);
            content.push_back(run.content);
        }
        if (c == 0) {
            first = Median(total);
        }
        std::printf("%-12s %8.3f %8.3f %8.3f %10zu %8zu %9.2f\n", configs[c].name.c_str(),
                    Median(total), Median(walk), Median(content), runs[c].back().candidates,
                    runs[c].back().found, Median(total) / first);
    }
    return 0;
}

#include "ui/command_line.h"

#include <cstring>

#include "engine/ascii.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program's name: up to the next quote when it starts with one, else up to a blank. No
// backslash is special in it.
std::size_t SplitProgramName(const std::string& line, std::vector<std::string>& out) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        const std::size_t end = close == std::string::npos ? line.size() : close;
        out.push_back(line.substr(1, end - 1));
        return end == line.size() ? end : end + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) {
        ++i;
    }
    out.push_back(line.substr(0, i));
    return i;
}

// Whether text starts with the option's name, A-Z folded; returns what follows it.
bool TakeOption(const std::string& argument, const char* name, std::string* rest) {
    const std::size_t n = std::strlen(name);
    if (argument.size() < n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(static_cast<unsigned char>(argument[i])) !=
            static_cast<unsigned char>(name[i])) {
            return false;
        }
    }
    *rest = argument.substr(n);
    return true;
}

}  // namespace

const char kCommandLineUsage[] =
    "Scourwell.exe [/text:TEXT] [/ext:EXT] [/case] [/start] [PATH ...]\n"
    "\n"
    "PATH: a folder to search, added as if typed and Added; a file adds its folder.\n"
    "/text:TEXT: the text to search for.\n"
    "/ext:EXT: the extension filter, such as .txt\n"
    "/case: ticks Match Case.\n"
    "/start: starts the search once the window shows.\n"
    "/install-menu: adds \"Search contents with Scourwell\" to the file browser's menu of "
    "folders and drives, for your account alone.\n"
    "/remove-menu: takes that menu entry out again.\n"
    "/?: shows this text.";

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> out;
    std::size_t i = SplitProgramName(line, out);
    std::string argument;
    bool inArgument = false, quoted = false;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c) && !quoted) {
            if (inArgument) {
                out.push_back(argument);
                argument.clear();
                inArgument = false;
            }
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t run = 0;
            while (i < line.size() && line[i] == '\\') {
                ++run;
                ++i;
            }
            if (i == line.size() || line[i] != '"') {
                argument.append(run, '\\');
                continue;
            }
            argument.append(run / 2, '\\');
            if (run % 2 == 0) {
                continue;  // the quote opens or closes
            }
            const bool closing = quoted && (i + 1 == line.size() || IsBlank(line[i + 1]));
            if (closing) {
                argument += '\\';  // the repair: "D:\" is D:\ .
                quoted = false;
            } else {
                argument += '"';
            }
            ++i;
        } else if (c == '"') {
            // Inside quotes, "" is a quote and ends the quoted part, as the system reads it.
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                argument += '"';
                ++i;
            }
            quoted = !quoted;
            ++i;
        } else {
            argument += c;
            ++i;
        }
    }
    if (inArgument) {
        out.push_back(argument);
    }
    return out;
}

CommandLineOptions ReadCommandLine(const std::vector<std::string>& arguments) {
    CommandLineOptions options;
    using Action = CommandLineOptions::Action;
    for (const std::string& argument : arguments) {
        std::string value;
        if (argument.empty()) {
            continue;
        }
        if (argument[0] != '/') {
            options.paths.push_back(argument);
        } else if (TakeOption(argument, "/text:", &value)) {
            options.text = value;
        } else if (TakeOption(argument, "/ext:", &value)) {
            options.extension = value;
        } else if (TakeOption(argument, "/case", &value) && value.empty()) {
            options.matchCase = true;
        } else if (TakeOption(argument, "/start", &value) && value.empty()) {
            options.start = true;
        } else if (TakeOption(argument, "/install-menu", &value) && value.empty()) {
            options.action =
                options.action == Action::kOpenDialog ? Action::kInstallMenu : options.action;
        } else if (TakeOption(argument, "/remove-menu", &value) && value.empty()) {
            options.action =
                options.action == Action::kOpenDialog ? Action::kRemoveMenu : options.action;
        } else {
            options.showUsage = true;  // /? too
        }
    }
    return options;
}

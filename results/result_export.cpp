#include "results/result_export.h"

namespace {

// Appends text with each lone surrogate's three bytes (ED A0..BF xx, which UTF-8 never has)
// as U+FFFD.
void AppendUtf8(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) == 0xED && i + 2 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            out += "\xEF\xBF\xBD";
            i += 2;
        } else {
            out += text[i];
        }
    }
}

void AppendCsvField(std::string& out, std::string_view field) {
    const bool formula =
        !field.empty() && std::string_view("=+-@").find(field[0]) != std::string_view::npos;
    if (!formula && field.find_first_of(",\"\r\n") == std::string_view::npos) {
        AppendUtf8(out, field);
        return;
    }
    out += formula ? "\"'" : "\"";
    for (std::size_t from = 0;;) {
        const std::size_t quote = field.find('"', from);
        AppendUtf8(out, field.substr(from, quote - from));
        if (quote == std::string_view::npos) {
            break;
        }
        out += "\"\"";
        from = quote + 1;
    }
    out += '"';
}

}  // namespace

std::string ExportStart(bool csv) {
    std::string start = "\xEF\xBB\xBF";
    if (csv) {
        start += "File Name,Modify Date,File Size,Bytes,Full Path\r\n";
    }
    return start;
}

void AppendExportRow(std::string& out, const ExportRow& row, bool csv) {
    if (csv) {
        for (const std::string_view field : {row.name, row.date, row.size}) {
            AppendCsvField(out, field);
            out += ',';
        }
        out += std::to_string(row.bytes);
        out += ',';
        AppendCsvField(out, row.fullPath);
    } else {
        AppendUtf8(out, row.fullPath);
    }
    out += "\r\n";
}

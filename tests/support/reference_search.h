// A plain search to hold the matcher against: every start position, every byte.
#pragma once

#include <string>

#include "engine/ascii.h"

inline bool ReferenceContains(const std::string& data, const std::string& text, bool matchCase) {
    if (text.size() > data.size()) {
        return false;
    }
    for (std::size_t start = 0; start + text.size() <= data.size(); ++start) {
        std::size_t i = 0;
        for (; i < text.size(); ++i) {
            auto a = static_cast<unsigned char>(data[start + i]);
            auto b = static_cast<unsigned char>(text[i]);
            if (!matchCase) {
                a = FoldAscii(a);
                b = FoldAscii(b);
            }
            if (a != b) {
                break;
            }
        }
        if (i == text.size()) {
            return true;
        }
    }
    return false;
}

inline std::size_t ReferenceFind(const std::string& data, const std::string& text, bool matchCase) {
    for (std::size_t start = 0; start + text.size() <= data.size(); ++start) {
        if (ReferenceContains(data.substr(start, text.size()), text, matchCase)) {
            return start;
        }
    }
    return static_cast<std::size_t>(-1);
}

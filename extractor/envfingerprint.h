#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A short fingerprint of an environment ("NAME=value" entries in any order).
// The program names the environment it started an extractor worker with, the
// run client the one its run was given; a worker serves only runs whose
// environment is its own. Plain C++: the run client links no Qt.
namespace EnvFingerprint {

inline std::string of(std::vector<std::string> entries)
{
    std::sort(entries.begin(), entries.end());
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    auto add = [&hash](unsigned char c) {
        hash ^= c;
        hash *= 1099511628211ull;
    };
    for (const std::string &entry : entries) {
        for (const char c : entry)
            add(static_cast<unsigned char>(c));
        add(0);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace EnvFingerprint

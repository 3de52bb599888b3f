// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file of the fuzz seed corpus to the fuzz targets' checks, so
// the ordinary and the sanitizer builds run them without libFuzzer.
// Usage: replay_corpus rna <folder> ren <folder> csv <folder>

#include "file_checks.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    int tried = 0;
    for (int a = 1; a + 1 < argc; a += 2) {
        const std::string_view kind = argv[a];
        std::vector<std::filesystem::path> files;
        for (const auto& input : std::filesystem::directory_iterator(argv[a + 1])) files.push_back(input.path());
        if (files.empty()) {
            std::fputs("empty corpus folder\n", stderr);
            return 1;
        }
        std::sort(files.begin(), files.end());
        for (const auto& path : files) {
            std::ifstream file(path, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
            if (kind == "rna") {
                CheckRnaFile(data, bytes.size());
            } else if (kind == "csv") {
                CheckCsvText(data, bytes.size());
            } else {
                CheckRenFile(data, bytes.size());
            }
            ++tried;
        }
    }
    std::fputs(tried > 0 ? "corpus replayed\n" : "no corpus given\n", stdout);
    return tried > 0 ? 0 : 1;
}

// Feeds every file of the fuzz seed corpus to the fuzz targets' checks, so
// the ordinary and the sanitizer builds run them without libFuzzer.
// Usage: reproducir_corpus rna <folder> ren <folder>

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
    int probados = 0;
    for (int a = 1; a + 1 < argc; a += 2) {
        const std::string_view tipo = argv[a];
        std::vector<std::filesystem::path> ficheros;
        for (const auto& entrada : std::filesystem::directory_iterator(argv[a + 1])) ficheros.push_back(entrada.path());
        if (ficheros.empty()) {
            std::fputs("empty corpus folder\n", stderr);
            return 1;
        }
        std::sort(ficheros.begin(), ficheros.end());
        for (const auto& ruta : ficheros) {
            std::ifstream fichero(ruta, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(fichero)), std::istreambuf_iterator<char>());
            const auto* datos = reinterpret_cast<const std::uint8_t*>(bytes.data());
            if (tipo == "rna") {
                CheckRnaFile(datos, bytes.size());
            } else {
                CheckRenFile(datos, bytes.size());
            }
            ++probados;
        }
    }
    std::fputs(probados > 0 ? "corpus replayed\n" : "no corpus given\n", stdout);
    return probados > 0 ? 0 : 1;
}

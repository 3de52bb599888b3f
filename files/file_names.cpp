// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_names.h"

std::string QuitarExtension(std::string_view name) {
    return std::string(name.substr(0, name.find('.')));
}

std::string NameWithoutFolder(std::string_view path) {
    std::size_t barra = path.rfind('/');
    return std::string(barra == std::string_view::npos ? path : path.substr(barra + 1));
}

std::string CompanionPath(std::string_view trainedPath) {
    return QuitarExtension(trainedPath) + ".rna";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_names.h"

std::string QuitarExtension(std::string_view name) {
    return std::string(name.substr(0, name.find('.')));
}

namespace {

// Where the file's own name starts in `path`: after its last "/".
std::size_t NameStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string NameWithoutFolder(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string CompanionPath(std::string_view trainedPath) {
    const std::size_t nameStart = NameStart(trainedPath);
    return std::string(trainedPath.substr(0, nameStart)) + QuitarExtension(trainedPath.substr(nameStart)) + ".rna";
}

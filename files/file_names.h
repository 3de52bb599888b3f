// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names derived from the path the user chose for a network file.

#include <string>
#include <string_view>

// The part of `name` before its first "."; the whole of it when there is
// none, and "" when it begins with ".".
std::string QuitarExtension(std::string_view name);

// The file's name with its extension and without its folder (everything up
// to the last "/"): the network's name is QuitarExtension of it.
std::string NameWithoutFolder(std::string_view path);

// The untrained file that goes with a trained one, in the same folder: the
// file's name cut at its first "." (QuitarExtension), then ".rna", so that
// red.v2.ren goes with red.rna. A "." in a folder's name does not count.
std::string CompanionPath(std::string_view trainedPath);

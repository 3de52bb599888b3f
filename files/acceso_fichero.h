#pragma once
// Whole-file reading and writing for the network files.

#include <string>
#include <string_view>
#include <vector>

// The whole content of the file; throws "Cannot open file <ruta>" when it
// cannot be read (missing, a folder, access denied).
std::string LeerFicheroEntero(const std::string& ruta);

// Whether a file (not a folder) is at `ruta`.
bool ExisteFichero(const std::string& ruta);

// Replaces the file at `ruta` with `contenido`. The content goes to a new
// file in the same folder that is then renamed over the target, so a save
// that fails at any point leaves the previous file as it was; it then throws
// "Cannot create file <ruta>", as it does for a target the user may not
// write. An existing target keeps its permissions, and a symbolic link keeps
// pointing at the file it names.
void GuardarFicheroSeguro(const std::string& ruta, std::string_view contenido);

// Saves the lines, each ended by CR LF, as GuardarFicheroSeguro does.
void GuardarLineas(const std::string& ruta, const std::vector<std::string>& lineas);

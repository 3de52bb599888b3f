#pragma once
// Reading and writing the network files.

#include "lineas_fichero.h"

#include <string>
#include <string_view>
#include <vector>

// A network file open for reading. Only a regular file opens: a pipe, a
// device, a socket or a folder is refused at once, without waiting for a
// writer and without reading an endless stream. Throws "Cannot open file
// <ruta>" when the file cannot be opened or read (missing, access denied).
class FicheroLectura {
public:
    explicit FicheroLectura(const std::string& ruta);
    FicheroLectura(const FicheroLectura&) = delete;
    FicheroLectura& operator=(const FicheroLectura&) = delete;
    ~FicheroLectura();

    // The file's bytes for a DivisorLineas; the file must outlive it.
    FuenteBytes Fuente();

private:
    std::size_t Leer(char* destino, std::size_t capacidad);

    std::string ruta_;
    int fd_;
};

// Whether a file (not a folder) is at `ruta`.
bool ExisteFichero(const std::string& ruta);

// Replaces the file at `ruta` with `contenido`; throws "Cannot create file
// <ruta>" on any failure, and for a target the user may not write.
// - Usually the content goes to a new file in the same folder that is then
//   renamed over the target, so a failure at any point leaves the previous
//   file as it was, and a hard link to it keeps the old content.
// - A symbolic link, even one naming a missing file, is followed: the file
//   it names is written and the link stays.
// - A replaced file keeps its permissions, and its owner and group where the
//   process may set them.
// - When the folder takes no new file but the target may be written, it is
//   written in place: a failure then may leave it cut short, and hard links
//   see the new content.
void GuardarFicheroSeguro(const std::string& ruta, std::string_view contenido);

// Saves the lines, each ended by CR LF, as GuardarFicheroSeguro does.
void GuardarLineas(const std::string& ruta, const std::vector<std::string>& lineas);

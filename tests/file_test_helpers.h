#pragma once
// Shared by the file tests: a scratch folder, raw file access, a network of
// a given topology and the message of the error an action throws.

#include "network.h"
#include "program_error.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string plantilla = (std::filesystem::temp_directory_path() / "perceptlab-files-XXXXXX").string();
        path_ = ::mkdtemp(plantilla.data());
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignorado;
        std::filesystem::remove_all(path_, ignorado);
    }
    std::string Path(const std::string& nombre) const { return (path_ / nombre).string(); }
    const std::filesystem::path& Folder() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& ruta) {
    std::ifstream fichero(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichero), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& ruta, const std::string& bytes) {
    std::ofstream fichero(ruta, std::ios::binary | std::ios::trunc);
    fichero << bytes;
}

// The window's start-up network rewritten to the given counts, in the order
// the configuration tab writes them.
inline void Topology(TRedNeuronal& red, int entradas, int ocultas, int salidas) {
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(ocultas));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(salidas));
    red.SetNumeroEntradas(entradas);
}

template <typename Accion>
std::string MessageOf(Accion&& accion) {
    try {
        accion();
    } catch (const ProgramError& error) {
        return error.what();
    }
    return "(no error)";
}

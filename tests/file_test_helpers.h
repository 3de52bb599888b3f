// SPDX-License-Identifier: GPL-3.0-or-later
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
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Folder() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

// The window's start-up network rewritten to the given counts, in the order
// the configuration tab writes them.
inline void Topology(TRedNeuronal& network, int inputs, int hidden, int outputs) {
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(hidden));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(outputs));
    network.SetNumeroEntradas(inputs);
}

template <typename Accion>
std::string MessageOf(Accion&& action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return error.what();
    }
    return "(no error)";
}

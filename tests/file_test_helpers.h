// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the file tests: a scratch folder, raw file access, a network of
// a given topology and the message of the error an action throws.

#include "network.h"
#include "program_error.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string nameTemplate = (std::filesystem::temp_directory_path() / "perceptlab-files-XXXXXX").string();
        path_ = ::mkdtemp(nameTemplate.data());
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

template <typename Action>
std::string MessageOf(Action&& action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return error.what();
    }
    return "(no error)";
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kReservedAddresses = true;  // the sanitizer reserves terabytes of address space
#else
constexpr bool kReservedAddresses = false;
#endif

// Lets this process use at most 64 MB more address space than it uses now:
// a read that held a file's useless lines would run out.
inline void LimitMemory() {
    if (kReservedAddresses) return;
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20);
    ::setrlimit(RLIMIT_AS, &limit);
}

// Ends a child process of a test: successfully when `obtainedValue` is `expected`.
[[noreturn]] inline void EndWith(const std::string& obtainedValue, const std::string& expected) {
    if (obtainedValue != expected) std::fprintf(stderr, "got: %.400s\n", obtainedValue.c_str());
    std::_Exit(obtainedValue == expected ? 0 : 1);
}

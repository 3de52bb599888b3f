// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery_copies.h"

#include "file_access.h"
#include "program_error.h"
#include "save_temporaries.h"

#include <algorithm>
#include <cerrno>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopySuffix = ".copia";

std::mutex folderMutex;
std::string& Folder() {
    static std::string folder;
    return folder;
}

std::string RecoveryFolder() {
    const std::scoped_lock lock(folderMutex);
    return Folder();
}

std::string Contents(const fs::path& target) {
    FileForReading file(target.string());
    ByteSource source = file.Source();
    std::string content;
    std::string block(65536, '\0');
    while (const std::size_t n = source(block.data(), block.size())) content.append(block.data(), n);
    return content;
}

// Writes the content to the open descriptor, syncs and closes it.
bool WriteSynced(int fd, std::string_view content) {
    bool ok = true;
    while (ok && !content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) content.remove_prefix(static_cast<std::size_t>(written));
    }
    ok = ok && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

}  // namespace

void SetRecoveryFolder(const std::string& folder) {
    const std::scoped_lock lock(folderMutex);
    Folder() = folder;
}

std::vector<std::string> RecoveryCopies() {
    std::vector<std::string> copies;
    const std::string folder = RecoveryFolder();
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) return copies;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && entry.path().filename().string().ends_with(kCopySuffix))
            copies.push_back(entry.path().string());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::string RecoveryCopyNotice(const std::string& copy) {
    return "Un guardado interrumpido dejó una copia del fichero anterior en " + copy;
}

std::string RecoveryCopyPlace(const std::string& copy) { return "La copia del fichero anterior está en " + copy; }

std::optional<std::string> KeepRecoveryCopy(const fs::path& target, const std::string& failure) {
    const std::string folder = RecoveryFolder();
    if (folder.empty()) return std::nullopt;
    std::error_code error;
    fs::create_directories(folder, error);
    std::string content;
    try {
        content = Contents(target);
    } catch (const ProgramError&) {
        throw ProgramError(failure);
    }
    // The target's name, cut to leave room for the suffixes within a name's limit.
    const std::string name = target.filename().string().substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string copy =
            (fs::path(folder) / (name + '.' + UniqueSuffix(attempt) + std::string(kCopySuffix))).string();
        const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) break;
        if (WriteSynced(fd, content)) return copy;
        ::unlink(copy.c_str());
        break;
    }
    throw ProgramError(failure);
}

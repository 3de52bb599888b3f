// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_access.h"

#include "program_error.h"
#include "read_messages.h"
#include "recovery_copies.h"
#include "save_temporaries.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Closes the descriptor when the scope ends, however it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting whether the data reached the file.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a save writes: symbolic links followed, whether or not the file
// they end at exists. Empty for a loop of links.
std::optional<fs::path> FollowLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat data {};
        if (::lstat(path.c_str(), &data) != 0 || !S_ISLNK(data.st_mode)) return path;
        std::error_code error;
        const fs::path named = fs::read_symlink(path, error);
        if (error) return std::nullopt;
        path = path.parent_path() / named;  // an absolute name replaces the folder
    }
    return std::nullopt;
}

// Gives the new file the replaced file's owner and group where the process
// may: root sets both, an owner who belongs to the group sets the group.
// Whether both were kept; the save goes on either way.
bool KeepOwner(int fd, const struct stat& previous) {
    if (previous.st_uid == ::geteuid() && previous.st_gid == ::getegid()) return true;
    if (::fchown(fd, previous.st_uid, previous.st_gid) == 0) return true;
    return ::fchown(fd, static_cast<uid_t>(-1), previous.st_gid) == 0 && previous.st_uid == ::geteuid();
}

// Writes over the target itself, once a copy of its content is safe in the
// recovery folder; the copy goes once the new content is synced, and a
// failure names it.
void WriteInPlace(const fs::path& target, std::string_view content, const std::string& failure) {
    const std::optional<std::string> copy = KeepRecoveryCopy(target, failure);
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC));
    bool ok = fd.get() >= 0;
    const bool touched = ok;
    ok = ok && WriteAll(fd.get(), content) && ::fsync(fd.get()) == 0;
    ok = (!touched || fd.Close()) && ok;
    if (copy && (ok || !touched)) ::unlink(copy->c_str());
    if (!ok) throw ProgramError(copy && touched ? failure + ". " + RecoveryCopyPlace(*copy) : failure);
}

}  // namespace

FileForReading::FileForReading(const std::string& path) : path_(path) {
    // O_NONBLOCK: opening a pipe with no writer would wait for one.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat data {};
    if (fd_ >= 0 && ::fstat(fd_, &data) == 0 && S_ISREG(data.st_mode) &&
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) == 0) {
        return;
    }
    if (fd_ >= 0) ::close(fd_);
    throw ProgramError(CannotOpenMessage(path_));
}

FileForReading::~FileForReading() { ::close(fd_); }

ByteSource FileForReading::Source() {
    return [this](char* target, std::size_t capacity) { return Read(target, capacity); };
}

std::size_t FileForReading::Read(char* target, std::size_t capacity) {
    for (;;) {
        ssize_t bytesRead = ::read(fd_, target, capacity);
        if (bytesRead >= 0) return static_cast<std::size_t>(bytesRead);
        if (errno != EINTR) throw ProgramError(CannotOpenMessage(path_));
    }
}

bool FileExists(const std::string& path) {
    std::error_code error;
    auto state = fs::status(path, error);
    return !error && fs::exists(state) && !fs::is_directory(state);
}

void SaveFileSafely(const std::string& path, std::string_view content) {
    SafeFileWriter writer(path);
    writer.Write(content);
    writer.Commit();
}

SafeFileWriter::SafeFileWriter(const std::string& path) : failure_("Cannot create file " + path) {
    if (path.empty()) Fail();
    const std::optional<fs::path> followed = FollowLinks(path);
    if (!followed || !followed->has_filename()) Fail();
    const fs::path& target = *followed;
    target_ = target;
    struct stat previous {};
    const bool existed = ::stat(target.c_str(), &previous) == 0;
    // A device, a pipe or a folder is no file of ours to replace.
    if (existed && !S_ISREG(previous.st_mode)) Fail();
    // Renaming would replace a file the user may not write; overwriting it in
    // place would have been refused, so the save is.
    if (existed && ::access(target.c_str(), W_OK) != 0) Fail();

    // Names are taken relative to the folder: a temporary's path may then be
    // longer than a path may be, as long as the target's is not.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    folderFd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) Fail();
    int createError = 0;
    for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
        temporary_ = TemporaryName(target, attempt);
        fd_ = ::openat(folderFd_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        createError = errno;
        if (fd_ < 0 && createError != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        // Only a folder that refuses new files leaves writing in place: out of
        // space, inodes or descriptors, the write would fail midway and take
        // the old file with it.
        const bool folderRefuses = createError == EACCES || createError == EPERM;
        if (existed && folderRefuses) return;
        Close();
        Fail();
    }
    if (existed) {
        KeepOwner(fd_, previous);
        // After the owner: changing it clears the set-user-ID and set-group-ID bits.
        if (::fchmod(fd_, previous.st_mode & 07777) != 0) {
            // No destructor runs for a constructor that throws.
            Close();
            Fail();
        }
    }
}

SafeFileWriter::~SafeFileWriter() { Close(); }

void SafeFileWriter::Close() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!committed_ && !temporary_.empty()) ::unlinkat(folderFd_, temporary_.c_str(), 0);
    temporary_.clear();
    if (folderFd_ >= 0) ::close(std::exchange(folderFd_, -1));
}

void SafeFileWriter::Write(std::string_view piece) {
    if (temporary_.empty()) {
        held_ += piece;
    } else if (!WriteAll(fd_, piece)) {
        Fail();
    }
}

void SafeFileWriter::Commit() {
    if (temporary_.empty()) {
        WriteInPlace(target_, held_, failure_);
        committed_ = true;
        return;
    }
    FileDescriptor descriptor(std::exchange(fd_, -1));
    const bool written = ::fsync(descriptor.get()) == 0;
    const std::string name = fs::path(target_).filename().string();
    if (!descriptor.Close() || !written ||
        ::renameat(folderFd_, temporary_.c_str(), folderFd_, name.c_str()) != 0) {
        Fail();
    }
    committed_ = true;
    RemoveLeftoverTemporaries(target_);
}

void SafeFileWriter::Fail() { throw ProgramError(failure_); }

void SaveLines(const std::string& path, const std::vector<std::string>& lines) {
    SaveFileSafely(path, JoinLines(lines));
}

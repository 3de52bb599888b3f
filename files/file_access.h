// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the network files.

#include "line_splitter.h"

#include <string>
#include <string_view>
#include <vector>

// A network file open for reading. Only a regular file opens: a pipe, a
// device, a socket or a folder is refused at once, without waiting for a
// writer and without reading an endless stream. Throws "Cannot open file
// <ruta>" when the file cannot be opened or read (missing, access denied).
class FileForReading {
public:
    explicit FileForReading(const std::string& path);
    FileForReading(const FileForReading&) = delete;
    FileForReading& operator=(const FileForReading&) = delete;
    ~FileForReading();

    // The file's bytes for a LineSplitter; the file must outlive it.
    ByteSource Source();

private:
    std::size_t Read(char* target, std::size_t capacity);

    std::string path_;
    int fd_;
};

// Whether a file (not a folder) is at `path`.
bool FileExists(const std::string& path);

// Replaces the file at `path` with `content`; throws "Cannot create file
// <ruta>" on any failure, for a target the user may not write, and for a
// target that is no regular file (a device, a pipe, a folder), which stays.
// - Usually the content goes to a new file in the same folder that is then
//   renamed over the target, so a failure at any point leaves the previous
//   file as it was, and a hard link to it keeps the old content.
// - A symbolic link, even one naming a missing file, is followed: the file
//   it names is written and the link stays.
// - A replaced file keeps its permissions, and its owner and group where the
//   process may set them.
// - When the folder refuses new files (permission denied) but the target may
//   be written, it is written in place, and hard links see the new content.
//   A synced copy of the old content waits in the recovery folder
//   (recovery_copies.h) until the new content is synced: a failure, which
//   may leave the target cut short, names the copy in its message ("Cannot
//   create file <ruta>. La copia del fichero anterior está en <copia>").
//   Any other failure to create the new file (no space, no inodes, no
//   descriptors) leaves the old file.
// - The temporary file is named within the folder, so a target whose path
//   has the longest length a path may have saves.
// - After a save, temporary files that an interrupted save of the same
//   target left more than a minute ago are removed.
void SaveFileSafely(const std::string& path, std::string_view content);

// The same save written piece by piece, for content too long to hold: the
// target is checked and the new file made at construction, pieces go to it
// as they come, and Commit puts it in place. A writer destroyed without
// Commit leaves the target as it was and no new file behind. Where the
// folder refuses new files the pieces are held and written in place at
// Commit. Each step throws "Cannot create file <ruta>".
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::string& path);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    ~SafeFileWriter();

    void Write(std::string_view piece);
    void Commit();

private:
    [[noreturn]] void Fail();
    // Closes what is open and removes the new file unless it is in place.
    void Close();

    std::string failure_;    // "Cannot create file <path as given>"
    std::string target_;     // links followed
    std::string temporary_;  // in the target's folder; empty when writing in place
    int folderFd_ = -1;
    int fd_ = -1;
    std::string held_;       // the content, when written in place
    bool committed_ = false;
};

// Saves the lines, each ended by CR LF, as SaveFileSafely does.
void SaveLines(const std::string& path, const std::vector<std::string>& lines);

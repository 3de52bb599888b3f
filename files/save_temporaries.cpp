// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_temporaries.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The longest file name most file systems take.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kSuffixLength = 6;

std::string TemporaryPrefix(const fs::path& target) {
    const std::string name = target.filename().string();
    return '.' + name.substr(0, kLongestName - kSuffixLength - 2) + '.';
}

bool IsSuffixCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }

// A leftover is removed when its time is more than this many seconds ago.
constexpr std::time_t kLeftoverAge = 60;

// Whether `name` is one TemporaryName gives for a target whose names start
// with `prefix`: the prefix, then six lower-case letters and digits.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() != prefix.size() + kSuffixLength) return false;
    name.remove_prefix(prefix.size());
    return std::all_of(name.begin(), name.end(), IsSuffixCharacter);
}

}  // namespace

std::string UniqueSuffix(int attempt) {
    // The clock, the process and the attempt, mixed so that every character changes.
    std::uint64_t mixed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    mixed ^= static_cast<std::uint64_t>(::getpid()) << 32 ^ static_cast<std::uint64_t>(attempt) * 0x9E3779B97F4A7C15u;
    mixed *= 0xBF58476D1CE4E5B9u;
    mixed ^= mixed >> 31;
    constexpr std::string_view kCharacters = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i, mixed /= kCharacters.size())
        suffix += kCharacters[mixed % kCharacters.size()];
    return suffix;
}

std::string TemporaryName(const fs::path& target, int attempt) {
    return TemporaryPrefix(target) + UniqueSuffix(attempt);
}

bool LeftoverSchedule::Due(const std::string& target, std::time_t now) {
    const std::scoped_lock lock(mutex_);
    const auto look = looks_.find(target);
    // A clock set back could otherwise put the next look far away.
    return look == looks_.end() || now >= look->second.next || now < look->second.start;
}

void LeftoverSchedule::Looked(const std::string& target, std::time_t start, std::time_t oldestKept) {
    // A file's time may lag the clock by a second: its second may not have
    // ticked over yet when the file is written.
    const std::time_t earliest = std::min(start - 1, oldestKept);
    const std::scoped_lock lock(mutex_);
    looks_[target] = Look{start, earliest + kLeftoverAge + 1};
}

void RemoveLeftoverTemporaries(const fs::path& target) {
    static LeftoverSchedule schedule;
    const std::string key = target.string();
    const std::time_t start = std::time(nullptr);
    if (!schedule.Due(key, start)) return;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) return;
    const std::string prefix = TemporaryPrefix(target);
    std::time_t oldestKept = start;
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsTemporaryName(entry->d_name, prefix)) continue;
        struct stat data {};
        if (::fstatat(::dirfd(entries), entry->d_name, &data, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(data.st_mode))
            continue;
        if (data.st_mtime < start - kLeftoverAge) {
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
        } else {
            oldestKept = std::min(oldestKept, data.st_mtime);
        }
    }
    ::closedir(entries);
    schedule.Looked(key, start, oldestKept);
}

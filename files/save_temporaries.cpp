// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_temporaries.h"

#include "integer_text.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string TemporaryPrefix(const fs::path& target) { return '.' + target.filename().string().substr(0, 100) + '.'; }
constexpr std::string_view kTemporarySuffix = ".tmp";

// A leftover is removed when its time is more than this many seconds ago.
constexpr std::time_t kLeftoverAge = 60;

// Whether `name` is one TemporaryName gives for a target whose names start
// with `prefix`: the prefix, three groups of digits apart by ".", ".tmp".
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix)) return false;
    name = name.substr(prefix.size(), name.size() - prefix.size() - kTemporarySuffix.size());
    int groups = 0;
    for (;;) {
        const std::size_t digits = name.find_first_not_of("0123456789");
        if (digits == 0) return false;
        ++groups;
        if (digits == std::string_view::npos) return groups == 3;
        if (name[digits] != '.') return false;
        name.remove_prefix(digits + 1);
    }
}

}  // namespace

std::string TemporaryName(const fs::path& target, int attempt) {
    auto instant = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string name = TemporaryPrefix(target);
    for (std::int32_t part : {static_cast<std::int32_t>(::getpid()), static_cast<std::int32_t>(instant & 0x7fffffff), attempt}) {
        name += IntegerText(part);
        name += '.';
    }
    name.pop_back();
    name += kTemporarySuffix;
    return (target.parent_path() / name).string();
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

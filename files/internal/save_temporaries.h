// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The temporary file a save writes before renaming it over its target, and
// the removal of those that a killed save left behind.

#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

// Six letters and digits, unlikely to repeat: `attempt` changes them for
// another try.
std::string UniqueSuffix(int attempt);

// A new name (without folder) for the temporary file of a save of `target`,
// in the target's folder: "." + the target's name + "." + UniqueSuffix, so
// its path is at most 8 characters longer than the target's; a name near
// the 255-byte limit of a name is cut to leave room.
std::string TemporaryName(const std::filesystem::path& target, int attempt);

// When a target's folder is next worth looking through. A leftover is
// removed once it is more than a minute old. A leftover made after a look at
// `start` is younger than `start`, so none can be old enough until a minute
// after the earlier of `start` and the time of the oldest leftover kept then:
// until that time a look finds nothing to remove, and saving every few
// seconds skips it.
class LeftoverSchedule {
public:
    bool Due(const std::string& target, std::time_t now);
    // `oldestKept`: the time of the oldest leftover kept as too young, or
    // `start` when none was.
    void Looked(const std::string& target, std::time_t start, std::time_t oldestKept);

private:
    struct Look {
        std::time_t start;
        std::time_t next;
    };
    std::mutex mutex_;
    std::map<std::string, Look> looks_;
};

// Removes the temporary files of `target` that a save left more than a
// minute ago (no save still running), when the schedule says any can be
// there. Nothing else in the folder is touched.
void RemoveLeftoverTemporaries(const std::filesystem::path& target);

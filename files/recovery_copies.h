// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The copy of a file that a save writing in place keeps until it succeeds:
// a save killed or failing halfway then still leaves the old content, in the
// user's cache folder, which the window names at the next start.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where the copies go (the window passes the user's cache folder once, at
// start-up). Until it is set, a save in place keeps no copy.
void SetRecoveryFolder(const std::string& folder);

// The copies a save in place left, oldest name first: each holds the
// content its target had before the save.
std::vector<std::string> RecoveryCopies();

// "Un guardado interrumpido dejó una copia del fichero anterior en <copy>"
std::string RecoveryCopyNotice(const std::string& copy);
// "La copia del fichero anterior está en <copy>", after a save's error.
std::string RecoveryCopyPlace(const std::string& copy);

// Copies the target's content, synced, to a new file in the recovery folder
// and returns its path; nothing when no folder is set. Throws ProgramError
// `failure` when the copy cannot be made, and leaves no copy then.
std::optional<std::string> KeepRecoveryCopy(const std::filesystem::path& target, const std::string& failure);

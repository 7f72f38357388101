#pragma once

// File-system helpers of the save pipeline. Every helper acts on the full paths it is given and
// never changes the process's current folder (other threads rely on it).

#include <cstdint>
#include <string>

#include "launcher/save/CMError.h"

// exists: whether the path exists (following links). 0xDCA01 for a null argument.
CMResult CM_FileExists(const std::string* path, bool* exists);
// writable: whether the path exists and may be written by us.
CMResult CM_IsWritable(const std::string* path, bool* writable);
// Creates the folder and its missing parents unless the path exists. 0xDCA02 on failure.
CMResult CM_MakeFolder(const std::string* path);
// Removes a file or a whole folder; an absent path is success. 0xDF400 when removal fails.
CMResult CM_RemovePath(const std::string* path);
// Removes a path that is not a folder; a folder or an absent path is left alone with success.
// 0xDCA02 when removal fails.
CMResult CM_RemoveFile(const std::string* path);
// Removes everything below folder whose last component matches pattern ("*" and "?"); a
// matching folder goes with its contents. Stops at the first failed removal (0xDCA02); a
// folder that cannot be listed is 0xDCA02 too.
CMResult CM_RemoveMatchingFiles(const std::string* folder, const std::string* pattern);
// Copies a file through a temporary file beside the target, renamed into place.
// mode 0 keeps an existing target (success, nothing copied); mode 1 replaces it.
// 0xDCA01 null path or mode 2 or more; 0xD7200 source absent or no such folder; 0xDF400 no
// permission; 0xDE900 out of space; 0xDCA02 anything else.
CMResult CM_CopyFile(const std::string* source, const std::string* target, std::uint32_t mode);
// As CM_CopyFile, but the copy is put in place only while the target's name is free: 0xDF400
// when something is already there (it is left as it was).
CMResult CM_CopyFileToFreeName(const std::string* source, const std::string* target);
// Copies, then removes the source. mode 0 leaves both alone when the target already exists.
// 0xDCA01 for mode 2 or more, or when source and target are the same file.
CMResult CM_MoveFile(const std::string* source, const std::string* target, std::uint32_t mode);

// ConfigFile: replacing a small file all at once, so a failed write never loses the old one.
#pragma once

#include <cstddef>
#include <string>

namespace configfile {

using RenameFunction = int (*)(const char* from, const char* to);

// Writes the bytes to a temporary file beside path, flushes them to the disk and renames the
// temporary over path. On any failure (folder not writable, disk full, rename refused) the
// temporary is removed, path keeps what it held and false is returned. rename is replaceable
// so that a refused rename can be tried.
bool replaceFile(const char* path, const void* bytes, size_t size, RenameFunction rename = nullptr);

// Creates the folders above path that are missing (private to the user, as a configuration
// folder should be). Returns false when one cannot be made.
bool makeParentFolders(const std::string& path);

}  // namespace configfile

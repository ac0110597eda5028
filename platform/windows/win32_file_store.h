#pragma once

#include "platform/file_store.h"

namespace tavlo {

// The settings folder and file through the wide Win32 calls. A folder is
// held open while it is used, shared for reading and writing but not for
// deleting, so that it cannot be renamed or swapped for a link in the
// middle of an operation. Owners and DACLs are judged by judgeSecurity; a
// volume that keeps no access lists (FAT) is taken as it is, as the user's
// own stick or card. The user's own link (a symbolic link or a junction),
// to the file or to its folder, is followed once, and what it leads to is
// checked like the rest.
class Win32FileStore final : public FileStore {
public:
    // Makes a folder whose DACL lets only the user, the system and the
    // administrators write; an existing one is checked like any other.
    IoStatus ensureFolder(const std::string& path) override;
    // Also removes what interrupted saves of the file left behind.
    IoStatus openOrCreate(const std::string& path, std::uint64_t& length) override;
    // Sets the attributes to FILE_ATTRIBUTE_NORMAL.
    void clearReadOnly(const std::string& path) override;
    IoStatus read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes) override;

    // Writes "<file>.tmp-<pid>-<n>" beside the file, flushes it and puts it
    // in the file's place with ReplaceFileW, which keeps the file's
    // attributes and access list (MoveFileExW when there is no file yet).
    // A read-only file is made writable first, as a save on Linux replaces
    // it all the same.
    IoStatus replace(const std::string& path, std::string_view content) override;
};

}  // namespace tavlo

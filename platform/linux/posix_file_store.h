#pragma once

#include "platform/file_store.h"

namespace tavlo {

// Files reached through their folder's descriptor, so that a link swapped in
// between two steps cannot redirect them. The folders above a file's own
// are taken as the path names them: the user chose where to start. The
// user's own link, to the file or to its folder, is followed once, and what
// it leads to is checked like the rest.
class PosixFileStore final : public FileStore {
public:
    // Makes a folder that only its owner can write; an existing one is
    // checked like any other.
    IoStatus ensureFolder(const std::string& path) override;
    // Also removes what interrupted saves of the file left behind.
    IoStatus openOrCreate(const std::string& path, std::uint64_t& length) override;
    void clearReadOnly(const std::string& path) override;
    IoStatus read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes) override;

    // Writes a temporary file beside the target, flushes it to disk and
    // renames it over the target. The user's own link is followed, so the
    // file it points to is the one replaced (made, when it is not there).
    IoStatus replace(const std::string& path, std::string_view content) override;
};

}  // namespace tavlo

#pragma once

#include "platform/file_store.h"

namespace tavlo {

class PosixFileStore final : public FileStore {
public:
    IoStatus ensureFolder(const std::string& path) override;
    IoStatus openOrCreate(const std::string& path, std::uint64_t& length) override;
    void clearReadOnly(const std::string& path) override;
    IoStatus read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes) override;

    // Writes a temporary file beside the target, flushes it to disk and
    // renames it over the target; a symbolic link is followed, so the file
    // it points to is the one replaced.
    IoStatus replace(const std::string& path, std::string_view content) override;
};

}  // namespace tavlo

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo {

// Outcome of a file operation: the system's reason when it failed. A place
// that is not safe to use (another user's, or one that others can write) is
// refused untouched and marked untrusted.
struct IoStatus {
    bool ok = true;
    std::string reason;
    bool untrusted = false;

    static IoStatus success() { return {}; }
    static IoStatus failure(std::string why) { return {false, std::move(why)}; }
    static IoStatus refused(std::string why) { return {false, std::move(why), true}; }
};

// The file operations of the settings folder and file. A folder is used
// only when it is the user's own, is no link, and no other user can write
// it; a file in it only when it is the user's own, or the user's own link.
class FileStore {
public:
    virtual ~FileStore() = default;

    // Creates the folder (one level) unless something of that name exists.
    virtual IoStatus ensureFolder(const std::string& path) = 0;

    // Opens the file, creating it empty when it is missing, and tells its length.
    virtual IoStatus openOrCreate(const std::string& path, std::uint64_t& length) = 0;

    // Makes the file writable for its owner again; failures are ignored.
    virtual void clearReadOnly(const std::string& path) = 0;

    // Reads up to `count` bytes from `offset` (fewer at the end of the file;
    // none when the file is missing).
    virtual IoStatus read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes) = 0;

    // Replaces the whole content of the file so that a failure at any step,
    // or a crash, leaves the old file exactly as it was.
    virtual IoStatus replace(const std::string& path, std::string_view content) = 0;
};

}  // namespace tavlo

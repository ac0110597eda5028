#pragma once

#include <optional>
#include <string>

namespace tavlo {

// A file kept open and read again from its start: the /proc files give a
// fresh text at every read.
class KeptFile {
public:
    explicit KeptFile(std::string path);
    ~KeptFile();
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;

    std::optional<std::string> read();

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace tavlo

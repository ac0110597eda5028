#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/memory_status.h"

namespace tavlo {

// MemTotal and MemAvailable of a /proc/meminfo text, in bytes; nothing when
// either line is missing or malformed.
std::optional<MemoryFigures> parseMeminfo(std::string_view text);

class ProcMeminfo final : public MemoryStatus {
public:
    explicit ProcMeminfo(std::string path = "/proc/meminfo") : path_(std::move(path)) {}
    std::optional<MemoryFigures> read() override;

private:
    std::string path_;
};

}  // namespace tavlo

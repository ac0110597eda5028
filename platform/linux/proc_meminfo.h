#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/kept_file.h"
#include "platform/memory_status.h"

namespace tavlo {

// MemTotal and MemAvailable of a /proc/meminfo text, in bytes; nothing when
// either line is missing or malformed.
std::optional<MemoryFigures> parseMeminfo(std::string_view text);

// The figures are read at most once in each second of the wall clock: the
// refresh asks twice a second, and the readouts then change on the same tick
// as the clock's seconds.
class ProcMeminfo final : public MemoryStatus {
public:
    explicit ProcMeminfo(std::string path = "/proc/meminfo", std::function<double()> now = {});
    // A reader that reads the file at every call.
    static ProcMeminfo everyRead(std::string path = "/proc/meminfo");
    std::optional<MemoryFigures> read() override;

private:
    KeptFile file_;
    std::function<double()> now_;
    std::optional<double> readSecond_;
    std::optional<MemoryFigures> figures_;
};

}  // namespace tavlo

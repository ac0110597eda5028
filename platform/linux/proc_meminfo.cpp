#include "platform/linux/proc_meminfo.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace tavlo {
namespace {

// The value of a "Key:   1234 kB" line, in bytes.
std::optional<std::uint64_t> kilobyteField(std::string_view text, std::string_view key)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
            continue;
        line.remove_prefix(key.size() + 1);
        const std::size_t digits = line.find_first_not_of(' ');
        if (digits == std::string_view::npos)
            return std::nullopt;
        std::uint64_t kilobytes = 0;
        const auto [rest, error] = std::from_chars(line.data() + digits, line.data() + line.size(), kilobytes);
        if (error != std::errc() || std::string_view(rest, line.data() + line.size()) != " kB"
            || kilobytes > UINT64_MAX / 1024)
            return std::nullopt;
        return kilobytes * 1024;
    }
    return std::nullopt;
}

}  // namespace

std::optional<MemoryFigures> parseMeminfo(std::string_view text)
{
    const auto total = kilobyteField(text, "MemTotal");
    const auto available = kilobyteField(text, "MemAvailable");
    if (!total || !available)
        return std::nullopt;
    return MemoryFigures{*total, *available};
}

ProcMeminfo::ProcMeminfo(std::string path, std::function<double()> now) : file_(std::move(path)), now_(std::move(now))
{
    if (!now_) {
        now_
            = [] { return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count(); };
    }
}

ProcMeminfo ProcMeminfo::everyRead(std::string path)
{
    // Each call a second of its own.
    return ProcMeminfo(std::move(path), [second = 0.0]() mutable { return second++; });
}

std::optional<MemoryFigures> ProcMeminfo::read()
{
    const double second = std::floor(now_());
    if (readSecond_ != second) {
        readSecond_ = second;
        const auto text = file_.read();
        figures_ = text ? parseMeminfo(*text) : std::nullopt;
    }
    return figures_;
}

}  // namespace tavlo

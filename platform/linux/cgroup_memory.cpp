#include "platform/linux/cgroup_memory.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace tavlo {
namespace {

// The older hierarchy writes "no limit" as the largest page-aligned 63-bit
// number; any limit this large is none.
constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 62;

std::optional<std::string> readText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::optional<std::uint64_t> readBytes(const std::string& path)
{
    const auto text = readText(path);
    return text ? parseCgroupBytes(*text) : std::nullopt;
}

// The files that hold a group's limit and use, in one hierarchy.
struct Hierarchy {
    std::string root;
    const char* limit;
    const char* usage;
};

// Walks from `group` up to the root of `hierarchy`, keeping in `tightest`
// the level whose limit leaves the least room.
void tightenAlong(const Hierarchy& hierarchy, std::string group, std::optional<MemoryFigures>& tightest)
{
    while (true) {
        const std::string folder = hierarchy.root + group;
        const auto limit = readBytes(folder + "/" + hierarchy.limit);
        const auto usage = readBytes(folder + "/" + hierarchy.usage);
        if (limit && usage) {
            const std::uint64_t room = *usage < *limit ? *limit - *usage : 0;
            if (!tightest || room < tightest->availableBytes)
                tightest = MemoryFigures{*limit, room};
        }
        if (group.empty() || group == "/")
            return;
        group.erase(group.find_last_of('/'));
    }
}

}  // namespace

CgroupPaths parseProcCgroup(std::string_view text)
{
    CgroupPaths paths;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        // id:controllers:path, the path itself may hold colons.
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos || line.size() == second + 1 || line[second + 1] != '/')
            continue;
        const std::string_view id = line.substr(0, first);
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::string path(line.substr(second + 1));
        if (id == "0" && controllers.empty()) {
            paths.unified = path;
            continue;
        }
        for (std::string_view rest = controllers; !rest.empty();) {
            const std::size_t comma = std::min(rest.find(','), rest.size());
            if (rest.substr(0, comma) == "memory")
                paths.memory = path;
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
    return paths;
}

std::optional<std::uint64_t> parseCgroupBytes(std::string_view text)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    std::uint64_t bytes = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bytes);
    if (error != std::errc() || end != text.data() + text.size() || bytes >= kNoLimit)
        return std::nullopt;
    return bytes;
}

CgroupMemory::CgroupMemory(std::string mounts, std::string self) : mounts_(std::move(mounts)), self_(std::move(self)) {}

std::optional<MemoryFigures> CgroupMemory::read()
{
    const auto text = readText(self_);
    if (!text)
        return std::nullopt;
    const CgroupPaths paths = parseProcCgroup(*text);
    std::optional<MemoryFigures> tightest;
    if (paths.unified)
        tightenAlong({mounts_, "memory.max", "memory.current"}, *paths.unified, tightest);
    if (paths.memory)
        tightenAlong({mounts_ + "/memory", "memory.limit_in_bytes", "memory.usage_in_bytes"}, *paths.memory, tightest);
    return tightest;
}

}  // namespace tavlo

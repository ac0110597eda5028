// Any bytes as /proc/stat, /proc/meminfo, /proc/diskstats and
// /proc/self/mountinfo.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/linux/proc_meminfo.h"
#include "platform/linux/proc_parsers.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto cpu = parseCpuTimes(text); cpu && cpu->busy > cpu->total)
        std::abort();
    parseDiskTimes(text);
    parseMeminfo(text);
    if (const auto mounts = parseLocalDiskMounts(text); mounts && mounts->empty())
        std::abort();  // nothing is told by nothing, never by an empty list
    parseWritableMounts(text);
    return 0;
}

#include "platform/linux/proc_parsers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

namespace tavlo {
namespace {

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return result;
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        result.push_back(line.substr(at, end - at));
        at = end;
    }
}

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        result.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return result;
}

std::optional<std::uint64_t> number(std::string_view word)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Devices that are not physical disks: memory, loop, compressed, mapped,
// RAID and optical devices.
bool virtualDevice(std::string_view name)
{
    constexpr std::string_view kPrefixes[] = {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd"};
    return std::any_of(std::begin(kPrefixes), std::end(kPrefixes),
        [name](std::string_view prefix) { return name.substr(0, prefix.size()) == prefix; });
}

// "sda1" of "sda", "nvme0n1p2" of "nvme0n1", "mmcblk0p1" of "mmcblk0".
bool partitionOf(std::string_view name, std::string_view disk)
{
    if (name.size() <= disk.size() || name.substr(0, disk.size()) != disk)
        return false;
    std::string_view rest = name.substr(disk.size());
    if (rest.front() == 'p')
        rest.remove_prefix(1);
    return allDigits(rest);
}

// File systems without their own storage, and read-only images whose
// fullness says nothing about free space.
constexpr std::array<std::string_view, 27> kPseudoFileSystems{"proc", "sysfs", "tmpfs", "devtmpfs", "devpts", "cgroup",
    "cgroup2", "securityfs", "pstore", "debugfs", "tracefs", "mqueue", "hugetlbfs", "configfs", "fusectl", "autofs",
    "binfmt_misc", "bpf", "rpc_pipefs", "nsfs", "efivarfs", "ramfs", "squashfs", "iso9660", "fuse.portal",
    "fuse.gvfsd-fuse", "selinuxfs"};

// Mount points in mountinfo escape blanks and a few other bytes as octal.
std::string unescapeOctal(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                result += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

}  // namespace

std::optional<CpuTimes> parseCpuTimes(std::string_view stat)
{
    for (std::string_view line : lines(stat)) {
        const auto fields = words(line);
        if (fields.empty() || fields[0] != "cpu")
            continue;
        // user nice system idle iowait irq softirq steal [guest guest_nice]
        if (fields.size() < 9)
            return std::nullopt;
        std::array<std::uint64_t, 8> value{};
        for (std::size_t i = 0; i < value.size(); ++i) {
            const auto parsed = number(fields[i + 1]);
            if (!parsed)
                return std::nullopt;
            value[i] = *parsed;
        }
        // Guest time is already part of user and nice: it is not added again.
        // Waiting for I/O is idle time: the processor could run something else.
        // Sums that pass 64 bits come from no kernel: the file is broken.
        std::uint64_t idle = 0;
        std::uint64_t total = 0;
        if (__builtin_add_overflow(value[3], value[4], &idle))
            return std::nullopt;
        for (const std::uint64_t v : value) {
            if (__builtin_add_overflow(total, v, &total))
                return std::nullopt;
        }
        return CpuTimes{total - idle, total};
    }
    return std::nullopt;
}

std::optional<DiskTimes> parseDiskTimes(std::string_view diskstats)
{
    struct Device {
        std::string_view name;
        std::uint64_t weightedMs;
    };
    std::vector<Device> devices;
    for (std::string_view line : lines(diskstats)) {
        const auto fields = words(line);
        if (fields.empty())
            continue;
        // major minor name, then at least 11 statistics; the 11th is the
        // weighted time in queue (see ProcCounterSource for why).
        if (fields.size() < 14)
            return std::nullopt;
        const auto weighted = number(fields[13]);
        if (!weighted)
            return std::nullopt;
        devices.push_back({fields[2], *weighted});
    }
    DiskTimes times;
    for (const Device& device : devices) {
        if (virtualDevice(device.name))
            continue;
        const bool partition = std::any_of(
            devices.begin(), devices.end(), [&](const Device& other) { return partitionOf(device.name, other.name); });
        if (partition)
            continue;
        times.weightedMs += device.weightedMs;
        ++times.disks;
    }
    return times;
}

namespace {

// Volumes behind a network, where a hung server would stall whoever looks.
constexpr std::array<std::string_view, 11> kNetworkFileSystems{
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "9p", "fuse.sshfs", "fuse.rclone"};

bool pseudoFileSystem(std::string_view type)
{
    return std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), type) != kPseudoFileSystems.end();
}

// A line of mountinfo: id parent major:minor root mountpoint options
// [optional...] - type source superoptions.
struct MountLine {
    std::string_view device;
    std::string_view mountPoint;
    std::string_view options;
    std::string_view type;
    std::string_view source;
};

std::optional<MountLine> mountLine(std::string_view line)
{
    const auto fields = words(line);
    const auto separator = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 7 || separator == fields.end() || fields.end() - separator < 3)
        return std::nullopt;
    return MountLine{fields[2], fields[4], fields[5], *(separator + 1), *(separator + 2)};
}

// A file system kept on a disk of this machine: a block device under /dev,
// or a pool of local disks that names no single device. FUSE file systems
// ("fuse", "fuse.sshfs", "fuseblk" of NTFS) are answered by a program that
// may hang, even over a local disk, and are left out.
bool onLocalDisk(const MountLine& mount)
{
    if (pseudoFileSystem(mount.type) || mount.type.substr(0, 4) == "fuse")
        return false;
    return mount.source.substr(0, 5) == "/dev/" || mount.type == "zfs";
}

}  // namespace

std::optional<std::vector<std::string>> parseLocalDiskMounts(std::string_view mountinfo)
{
    std::vector<std::string> mounts;
    std::set<std::string_view> devices;
    for (std::string_view line : lines(mountinfo)) {
        if (words(line).empty())
            continue;
        const auto mount = mountLine(line);
        if (!mount)
            return std::nullopt;
        if (!onLocalDisk(*mount))
            continue;
        // A file system mounted again (a bind mount, a btrfs subvolume)
        // shows the same device and counts once.
        if (!devices.insert(mount->device).second)
            continue;
        mounts.push_back(unescapeOctal(mount->mountPoint));
    }
    if (mounts.empty())
        return std::nullopt;
    return mounts;
}

std::vector<std::string> parseWritableMounts(std::string_view mountinfo)
{
    std::set<std::string> seen;
    std::vector<std::string> mounts;
    for (std::string_view line : lines(mountinfo)) {
        const auto mount = mountLine(line);
        if (!mount || (mount->options.substr(0, 3) != "rw," && mount->options != "rw"))
            continue;
        if (pseudoFileSystem(mount->type) && mount->type != "tmpfs" && mount->type != "ramfs")
            continue;
        if (std::find(kNetworkFileSystems.begin(), kNetworkFileSystems.end(), mount->type) != kNetworkFileSystems.end())
            continue;
        std::string point = unescapeOctal(mount->mountPoint);
        if (seen.insert(point).second)
            mounts.push_back(std::move(point));
    }
    return mounts;
}

}  // namespace tavlo

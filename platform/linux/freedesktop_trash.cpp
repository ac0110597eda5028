#include "platform/linux/freedesktop_trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>
#include <utility>

#include "platform/linux/descriptor.h"
#include "platform/linux/folder_tree.h"
#include "platform/linux/proc_parsers.h"
#include "platform/linux/xdg_folders.h"

namespace tavlo {
namespace {

constexpr std::string_view kInfoSuffix = ".trashinfo";

Descriptor openFolderIn(int parent, const char* name)
{
    return Descriptor(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// A trash folder as folders() found it: the home trash may be a link.
Descriptor openTrash(const std::string& path)
{
    return Descriptor(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// A trash folder of a volume: a real folder of the user's, never a link.
bool ownedFolder(const std::string& path, uid_t user, struct stat& info)
{
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user;
}

// $topdir/.Trash counts only as a sticky folder that is no link, so that no
// other user can have swapped the user's folder in it.
bool stickyFolder(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX);
}

std::string reasonOf(const std::string& path, int error)
{
    return path + "\r" + std::generic_category().message(error);
}

}  // namespace

FreedesktopTrash::FreedesktopTrash(
    std::string homeTrash, std::function<std::vector<std::string>()> volumeTops, uid_t user)
    : homeTrash_(std::move(homeTrash)), volumeTops_(std::move(volumeTops)), user_(user)
{
}

std::string FreedesktopTrash::defaultHomeTrash()
{
    return xdgDataHome() + "/Trash";
}

std::vector<std::string> FreedesktopTrash::writableMounts()
{
    std::ifstream mountinfo("/proc/self/mountinfo");
    const std::string text{std::istreambuf_iterator<char>(mountinfo), std::istreambuf_iterator<char>()};
    return parseWritableMounts(text);
}

std::vector<std::string> FreedesktopTrash::folders() const
{
    std::vector<std::string> result;
    std::set<std::pair<dev_t, ino_t>> seen;
    const auto add = [&](const std::string& path, const struct stat& info) {
        if (seen.insert({info.st_dev, info.st_ino}).second)
            result.push_back(path);
    };

    // The home trash may be a link the user made on purpose.
    struct stat info {};
    if (::stat(homeTrash_.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        add(homeTrash_, info);
    const std::string uid = std::to_string(user_);
    for (const std::string& top : volumeTops_()) {
        const std::string base = top == "/" ? "" : top;
        if (stickyFolder(base + "/.Trash") && ownedFolder(base + "/.Trash/" + uid, user_, info))
            add(base + "/.Trash/" + uid, info);
        if (ownedFolder(base + "/.Trash-" + uid, user_, info))
            add(base + "/.Trash-" + uid, info);
    }
    return result;
}

std::size_t FreedesktopTrash::itemCount()
{
    std::size_t count = 0;
    for (const std::string& folder : folders()) {
        const Descriptor trash = openTrash(folder);
        const Descriptor files = trash ? openFolderIn(trash.get(), "files") : Descriptor();
        std::vector<std::string> names;
        if (files)
            listFolder(files.get(), names);
        count += names.size();
    }
    return count;
}

IoStatus FreedesktopTrash::empty(const Progress& progress)
{
    const std::size_t total = itemCount();
    std::size_t done = 0;
    IoStatus status = IoStatus::success();
    const auto fail = [&status](const std::string& path, int error) {
        if (status.ok)
            status = IoStatus::failure(reasonOf(path, error));
    };

    for (const std::string& folder : folders()) {
        const Descriptor trash = openTrash(folder);
        if (!trash) {
            fail(folder, errno);
            continue;
        }
        const Descriptor files = openFolderIn(trash.get(), "files");
        const Descriptor info = openFolderIn(trash.get(), "info");
        std::vector<std::string> names;
        if (files)
            listFolder(files.get(), names);
        for (const std::string& name : names) {
            // The description goes only with its item, so that an item
            // left behind can still be restored.
            if (const int error = removeTree(files.get(), name); error != 0)
                fail(folder + "/files/" + name, error);
            else if (info)
                ::unlinkat(info.get(), (name + std::string(kInfoSuffix)).c_str(), 0);
            if (progress && !progress(++done, total))
                return status;
        }

        // Descriptions whose item is gone, and the cached sizes of trashed
        // folders, which the file managers build again.
        std::vector<std::string> descriptions;
        if (info)
            listFolder(info.get(), descriptions);
        for (const std::string& description : descriptions) {
            if (description.size() <= kInfoSuffix.size() || !description.ends_with(kInfoSuffix))
                continue;
            const std::string item = description.substr(0, description.size() - kInfoSuffix.size());
            struct stat itemInfo {};
            if (!files
                || (::fstatat(files.get(), item.c_str(), &itemInfo, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT))
                ::unlinkat(info.get(), description.c_str(), 0);
        }
        ::unlinkat(trash.get(), "directorysizes", 0);
    }
    return status;
}

}  // namespace tavlo

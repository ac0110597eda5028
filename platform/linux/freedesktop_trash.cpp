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

struct OpenTrash {
    std::string path;
    Descriptor folder;
};

bool isFolder(const Descriptor& folder, struct stat& info)
{
    return folder && ::fstat(folder.get(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string reasonOf(const std::string& path, int error)
{
    return path + "\r" + std::generic_category().message(error);
}

// The trash folders, opened and checked through their descriptors, so that
// a link swapped in after the check cannot redirect the deletion.
std::vector<OpenTrash> openTrashes(const std::string& homeTrash, const std::vector<std::string>& tops, uid_t user)
{
    std::vector<OpenTrash> result;
    std::set<std::pair<dev_t, ino_t>> seen;
    const auto add = [&](std::string path, Descriptor folder, const struct stat& info) {
        if (seen.insert({info.st_dev, info.st_ino}).second)
            result.push_back({std::move(path), std::move(folder)});
    };

    // The home trash may be a link the user made on purpose.
    struct stat info {};
    if (Descriptor home(::open(homeTrash.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); isFolder(home, info))
        add(homeTrash, std::move(home), info);

    // On a volume, $topdir/.Trash counts only as a sticky folder, so that no
    // other user can have swapped the user's folder in it, and each trash
    // must be a real folder of the user's.
    const std::string uid = std::to_string(user);
    const std::string ownTrash = ".Trash-" + uid;
    for (const std::string& top : tops) {
        const Descriptor volume(::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!volume)
            continue;
        const std::string base = top == "/" ? "" : top;
        if (const Descriptor shared = openFolderIn(volume.get(), ".Trash");
            isFolder(shared, info) && (info.st_mode & S_ISVTX)) {
            if (Descriptor trash = openFolderIn(shared.get(), uid.c_str());
                isFolder(trash, info) && info.st_uid == user)
                add(base + "/.Trash/" + uid, std::move(trash), info);
        }
        if (Descriptor trash = openFolderIn(volume.get(), ownTrash.c_str());
            isFolder(trash, info) && info.st_uid == user)
            add(base + "/" + ownTrash, std::move(trash), info);
    }
    return result;
}

// What a trash holds: its files/ folder, opened, and the items in it.
struct Contents {
    Descriptor files;
    int filesError = 0;
    std::vector<std::string> items;
};

Contents contentsOf(const OpenTrash& trash)
{
    Contents contents;
    contents.files = openFolderIn(trash.folder.get(), "files");
    if (contents.files)
        listFolder(contents.files.get(), contents.items);
    else
        contents.filesError = errno;
    return contents;
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
    std::vector<std::string> paths;
    for (const OpenTrash& trash : openTrashes(homeTrash_, volumeTops_(), user_))
        paths.push_back(trash.path);
    return paths;
}

std::size_t FreedesktopTrash::itemCount()
{
    std::size_t count = 0;
    for (const OpenTrash& trash : openTrashes(homeTrash_, volumeTops_(), user_))
        count += contentsOf(trash).items.size();
    return count;
}

IoStatus FreedesktopTrash::empty(const Progress& progress)
{
    // What is in each trash, read before anything goes, for the total.
    const std::vector<OpenTrash> trashes = openTrashes(homeTrash_, volumeTops_(), user_);
    std::vector<Contents> contents;
    std::size_t total = 0;
    for (const OpenTrash& trash : trashes) {
        contents.push_back(contentsOf(trash));
        total += contents.back().items.size();
    }

    std::size_t done = 0;
    const std::function<bool()> carryOn = [&] { return !progress || progress(done, total); };
    IoStatus status = IoStatus::success();
    const auto fail = [&status](const std::string& path, int error) {
        if (status.ok)
            status = IoStatus::failure(reasonOf(path, error));
    };
    for (std::size_t i = 0; i < trashes.size(); ++i) {
        const OpenTrash& trash = trashes[i];
        const Descriptor& files = contents[i].files;
        if (!files && contents[i].filesError != ENOENT) {
            // Without their items the descriptions are all that is left: kept.
            fail(trash.path + "/files", contents[i].filesError);
            continue;
        }
        const Descriptor info = openFolderIn(trash.folder.get(), "info");
        for (const std::string& name : contents[i].items) {
            // The description goes only with its item, so that an item
            // left behind can still be restored.
            const int error = removeTree(files.get(), name, carryOn);
            if (error == ECANCELED)
                return status;
            if (error != 0)
                fail(trash.path + "/files/" + name, error);
            else if (info)
                ::unlinkat(info.get(), (name + std::string(kInfoSuffix)).c_str(), 0);
            ++done;
            if (!carryOn())
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
        ::unlinkat(trash.folder.get(), "directorysizes", 0);
    }
    return status;
}

}  // namespace tavlo

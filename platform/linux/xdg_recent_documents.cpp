#include "platform/linux/xdg_recent_documents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/linux/folder_tree.h"

namespace tavlo {

const char* const kEmptyRecentList = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<xbel version=\"1.0\"\n"
                                     "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
                                     "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
                                     ">\n"
                                     "</xbel>\n";

XdgRecentDocuments::XdgRecentDocuments(FileStore& files, std::string dataHome)
    : files_(files), dataHome_(std::move(dataHome))
{
}

IoStatus XdgRecentDocuments::clear()
{
    const std::string list = dataHome_ + "/recently-used.xbel";
    struct stat info {};
    if (::stat(list.c_str(), &info) == 0) {
        // Replaced whole, so that a reader never sees half a list.
        if (IoStatus status = files_.replace(list, kEmptyRecentList); !status.ok)
            return IoStatus::failure(list + "\r" + status.reason);
    }

    // KDE keeps one small file per document: only those regular files go,
    // through the folder itself, which is never reached through a link.
    const std::string kde = dataHome_ + "/RecentDocuments";
    const Descriptor folder = openBelow(dataHome_, "RecentDocuments");
    if (!folder) {
        if (errno == ENOENT || errno == ELOOP || errno == ENOTDIR)
            return IoStatus::success();
        return IoStatus::failure(kde + "\r" + std::strerror(errno));
    }
    // What could be listed goes even when the listing broke off.
    std::vector<std::string> names;
    const int listing = listFolder(folder.get(), names);
    for (const std::string& name : names) {
        if (::fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (::unlinkat(folder.get(), name.c_str(), 0) != 0 && errno != ENOENT)
            return IoStatus::failure(kde + "/" + name + "\r" + std::strerror(errno));
    }
    if (listing != 0)
        return IoStatus::failure(kde + "\r" + std::strerror(listing));
    return IoStatus::success();
}

}  // namespace tavlo

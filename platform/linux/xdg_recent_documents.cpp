#include "platform/linux/xdg_recent_documents.h"

#include <filesystem>
#include <system_error>

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
    namespace fs = std::filesystem;
    const std::string list = dataHome_ + "/recently-used.xbel";
    std::error_code error;
    if (fs::exists(list, error)) {
        // Replaced whole, so that a reader never sees half a list.
        if (IoStatus status = files_.replace(list, kEmptyRecentList); !status.ok)
            return IoStatus::failure(list + "\r" + status.reason);
    }

    // KDE keeps one small file per document: only those regular files go.
    const fs::path kde = fs::path(dataHome_) / "RecentDocuments";
    if (!fs::is_directory(fs::symlink_status(kde, error)))
        return IoStatus::success();
    for (const fs::directory_entry& entry : fs::directory_iterator(kde, error)) {
        if (!entry.is_regular_file(error) || entry.is_symlink(error))
            continue;
        if (!fs::remove(entry.path(), error) && error)
            return IoStatus::failure(entry.path().string() + "\r" + error.message());
    }
    if (error)
        return IoStatus::failure(kde.string() + "\r" + error.message());
    return IoStatus::success();
}

}  // namespace tavlo

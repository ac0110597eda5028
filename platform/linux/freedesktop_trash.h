#pragma once

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

#include "platform/recycle_bin.h"

namespace tavlo {

// The freedesktop.org Trash: the home trash $XDG_DATA_HOME/Trash and, on
// each writable volume, $topdir/.Trash/$uid (only under a sticky .Trash
// that is no link) and $topdir/.Trash-$uid. Each holds the items in files/
// and their descriptions in info/. Deleting never follows a link: a trashed
// link goes as a link, and nothing outside the trash folders is touched.
class FreedesktopTrash final : public RecycleBin {
public:
    FreedesktopTrash(std::string homeTrash, std::function<std::vector<std::string>()> volumeTops, uid_t user);

    std::size_t itemCount() override;
    IoStatus empty(const Progress& progress) override;

    // The trash folders that exist now, each once.
    std::vector<std::string> folders() const;

    // $XDG_DATA_HOME/Trash.
    static std::string defaultHomeTrash();
    // The mount points of the writable volumes, from /proc/self/mountinfo.
    static std::vector<std::string> writableMounts();

private:
    std::string homeTrash_;
    std::function<std::vector<std::string>()> volumeTops_;
    uid_t user_;
};

}  // namespace tavlo

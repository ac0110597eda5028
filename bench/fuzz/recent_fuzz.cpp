// The recent-documents list cleared over a folder of odd entries: the
// input names KDE's entries (one a line; a trailing "/" makes a folder, a
// leading "@" a link to a file outside). Afterwards the list is the empty
// one, no regular file is left among the entries, and nothing outside is
// touched.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/linux/posix_file_store.h"
#include "platform/linux/xdg_recent_documents.h"

using namespace tavlo;
namespace fs = std::filesystem;

namespace {

// Memory-backed, so that a run costs no disk writes; gone when the run ends.
const fs::path kHome = "/dev/shm/tavlo-fuzz-recent-" + std::to_string(::getpid());
struct RemovedAtExit {
    ~RemovedAtExit()
    {
        std::error_code ignored;
        fs::remove_all(kHome, ignored);
    }
} removedAtExit;

bool usableName(std::string_view name)
{
    return !name.empty() && name.size() < 200 && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::error_code ignored;
    fs::remove_all(kHome, ignored);
    const fs::path kde = kHome / "RecentDocuments";
    fs::create_directories(kde);
    std::ofstream(kHome / "outside") << "kept";
    std::ofstream(kHome / "recently-used.xbel") << std::string_view(reinterpret_cast<const char*>(data), size);

    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (int made = 0; !rest.empty() && made < 16; ++made) {
        const auto end = std::min(rest.find('\n'), rest.size());
        std::string_view name = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const bool folder = !name.empty() && name.back() == '/';
        const bool link = !name.empty() && name.front() == '@';
        if (folder)
            name.remove_suffix(1);
        if (!usableName(name))
            continue;
        if (folder)
            fs::create_directory(kde / std::string(name), ignored);
        else if (link)
            fs::create_symlink(kHome / "outside", kde / std::string(name), ignored);
        else
            std::ofstream(kde / std::string(name)) << "[Desktop Entry]\n";
    }

    PosixFileStore files;
    XdgRecentDocuments recent(files, kHome.string());
    if (!recent.clear().ok)
        std::abort();
    std::ifstream list(kHome / "recently-used.xbel");
    if (std::string(std::istreambuf_iterator<char>(list), {}) != kEmptyRecentList)
        std::abort();
    for (const fs::directory_entry& entry : fs::directory_iterator(kde)) {
        if (entry.is_regular_file() && !entry.is_symlink())
            std::abort();
    }
    std::ifstream outside(kHome / "outside");
    if (std::string(std::istreambuf_iterator<char>(outside), {}) != "kept")
        std::abort();
    return 0;
}

#include <unistd.h>

#include <csignal>

#include "platform/linux/browser_cache.h"
#include "platform/linux/browser_history.h"
#include "platform/linux/cgroup_memory.h"
#include "platform/linux/cp932_codec.h"
#include "platform/linux/desktop_tool_programs.h"
#include "platform/linux/flock_instance_lock.h"
#include "platform/linux/freedesktop_trash.h"
#include "platform/linux/mmap_memory_blocks.h"
#include "platform/linux/posix_file_store.h"
#include "platform/linux/posix_session_info.h"
#include "platform/linux/proc_counter_source.h"
#include "platform/linux/proc_meminfo.h"
#include "platform/linux/xdg_folders.h"
#include "platform/linux/xdg_recent_documents.h"
#include "platform/os_services.h"

namespace tavlo {
namespace {

// The operating-system services of the gadget on Linux.
class LinuxServices final : public OsServices {
public:
    InstanceLock& instance() override { return instance_; }
    SessionInfo& session() override { return session_; }
    MemoryStatus& memory() override { return memory_; }
    CounterSource& counters() override { return counters_; }
    FileStore& files() override { return files_; }
    const TextCodec& codec() override { return codec_; }
    MemoryBlocks& blocks() override { return blocks_; }
    RecentDocuments& recentDocuments() override { return recentDocuments_; }
    RecycleBin& recycleBin() override { return recycleBin_; }
    UrlCache& urlCache() override { return urlCache_; }
    UrlHistory& urlHistory() override { return urlHistory_; }
    const ToolPrograms& toolPrograms() override { return toolPrograms_; }

private:
    Cp932Codec codec_;
    FlockInstanceLock instance_{FlockInstanceLock::defaultBases(::getuid()), ::getuid()};
    PosixSessionInfo session_;
    ProcMeminfo memory_;
    ProcCounterSource counters_;
    PosixFileStore files_;
    // The memory release reads its own figures, afresh at every step and on
    // its own thread.
    ProcMeminfo releaseMemory_{ProcMeminfo::everyRead()};
    CgroupMemory releaseLimit_;
    MmapMemoryBlocks blocks_{releaseMemory_, releaseLimit_};
    XdgRecentDocuments recentDocuments_{files_, xdgDataHome()};
    FreedesktopTrash recycleBin_{FreedesktopTrash::defaultHomeTrash(), &FreedesktopTrash::writableMounts, ::geteuid()};
    BrowserCache urlCache_{xdgCacheHome()};
    BrowserHistory urlHistory_{homeFolder(), xdgConfigHome()};
    DesktopToolPrograms toolPrograms_;
};

}  // namespace

std::unique_ptr<OsServices> makeOsServices()
{
    return std::make_unique<LinuxServices>();
}

void prepareProcess()
{
    // A file-size limit makes a write fail instead of killing the gadget.
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace tavlo

#pragma once

#include <unistd.h>

#include "platform/linux/browser_cache.h"
#include "platform/linux/browser_history.h"
#include "platform/linux/cp932_codec.h"
#include "platform/linux/flock_instance_lock.h"
#include "platform/linux/freedesktop_trash.h"
#include "platform/linux/mmap_memory_blocks.h"
#include "platform/linux/posix_file_store.h"
#include "platform/linux/posix_session_info.h"
#include "platform/linux/proc_counter_source.h"
#include "platform/linux/proc_meminfo.h"
#include "platform/linux/xdg_folders.h"
#include "platform/linux/xdg_recent_documents.h"

namespace tavlo {

// The operating-system services of the gadget on Linux.
struct LinuxServices {
    Cp932Codec codec;
    FlockInstanceLock instance{FlockInstanceLock::defaultBases(::getuid()), ::getuid()};
    PosixSessionInfo session;
    ProcMeminfo memory;
    ProcCounterSource counters;
    PosixFileStore files;
    MmapMemoryBlocks blocks{memory};
    XdgRecentDocuments recentDocuments{files, xdgDataHome()};
    FreedesktopTrash recycleBin{FreedesktopTrash::defaultHomeTrash(), &FreedesktopTrash::writableMounts, ::geteuid()};
    BrowserCache urlCache{xdgCacheHome()};
    BrowserHistory urlHistory{homeFolder(), xdgConfigHome()};
};

}  // namespace tavlo

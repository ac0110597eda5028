#pragma once

#include <functional>
#include <memory>

#include "platform/counter_source.h"
#include "platform/file_store.h"
#include "platform/instance_lock.h"
#include "platform/memory_blocks.h"
#include "platform/memory_status.h"
#include "platform/recent_documents.h"
#include "platform/recycle_bin.h"
#include "platform/session_info.h"
#include "platform/text_codec.h"
#include "platform/tool_programs.h"
#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tavlo {

// The services that each operating system provides its own way. The build
// chooses the implementation of its OS (platform/linux or platform/windows).
class OsServices {
public:
    virtual ~OsServices() = default;

    virtual InstanceLock& instance() = 0;
    virtual SessionInfo& session() = 0;
    virtual MemoryStatus& memory() = 0;
    virtual CounterSource& counters() = 0;
    virtual FileStore& files() = 0;
    virtual const TextCodec& codec() = 0;
    virtual MemoryBlocks& blocks() = 0;
    virtual RecentDocuments& recentDocuments() = 0;
    virtual RecycleBin& recycleBin() = 0;
    virtual UrlCache& urlCache() = 0;
    virtual UrlHistory& urlHistory() = 0;
    virtual const ToolPrograms& toolPrograms() = 0;
};

std::unique_ptr<OsServices> makeOsServices();

// Made first thing in the process: what the system would otherwise do to
// the whole program on a failing call is kept to that call (on Linux a
// write past the file-size limit ends no program; on Windows a drive
// without a medium raises no system dialog).
void prepareProcess();

// While it lives, the system's requests to end the program (the session
// ending, a terminal's Ctrl+C) reach `quit` on the event loop's thread.
class EndRequestWatch {
public:
    virtual ~EndRequestWatch() = default;

    // Whether a request came that `quit` has not heard yet: one that came
    // as the event loop ended.
    virtual bool pending() const { return false; }
};

std::unique_ptr<EndRequestWatch> watchEndRequests(std::function<void()> quit);

}  // namespace tavlo

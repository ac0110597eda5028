#include "platform/windows/windows_services.h"

#include "platform/windows/com_url_history.h"
#include "platform/windows/mutex_instance_lock.h"
#include "platform/windows/pdh_counter_source.h"
#include "platform/windows/shell_recent_documents.h"
#include "platform/windows/shell_recycle_bin.h"
#include "platform/windows/virtual_alloc_memory_blocks.h"
#include "platform/windows/win32_cp932_codec.h"
#include "platform/windows/win32_file_store.h"
#include "platform/windows/win32_memory_status.h"
#include "platform/windows/win32_session_info.h"
#include "platform/windows/windows_tool_programs.h"
#include "platform/windows/wininet_url_cache.h"

namespace tavlo {
namespace {

class Win32Services final : public WindowsServices {
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

    void setOwnerWindow(HWND window) override { recycleBin_.setOwner(window); }

private:
    Win32Cp932Codec codec_;
    MutexInstanceLock instance_;
    Win32SessionInfo session_;
    Win32MemoryStatus memory_;
    PdhCounterSource counters_;
    Win32FileStore files_;
    VirtualAllocMemoryBlocks blocks_{memory_};
    ShellRecentDocuments recentDocuments_;
    ShellRecycleBin recycleBin_;
    WinInetUrlCache urlCache_;
    ComUrlHistory urlHistory_;
    WindowsToolPrograms toolPrograms_;
};

}  // namespace

std::unique_ptr<WindowsServices> makeWindowsServices()
{
    return std::make_unique<Win32Services>();
}

std::unique_ptr<OsServices> makeOsServices()
{
    return makeWindowsServices();
}

}  // namespace tavlo

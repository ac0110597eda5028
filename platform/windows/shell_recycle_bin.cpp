#include "platform/windows/shell_recycle_bin.h"

#include <shellapi.h>

#include "platform/windows/system_message.h"

namespace tavlo {

std::size_t ShellRecycleBin::itemCount()
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info)) || info.i64NumItems < 0)
        return 0;
    return static_cast<std::size_t>(info.i64NumItems);
}

IoStatus ShellRecycleBin::empty(const Progress&)
{
    const HRESULT result = SHEmptyRecycleBinW(owner_, nullptr, flags_);
    if (FAILED(result))
        return IoStatus::failure(describeHresult(result));
    return IoStatus::success();
}

}  // namespace tavlo

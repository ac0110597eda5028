#include "platform/windows/com_url_history.h"

#include <objbase.h>
#include <shlguid.h>
#include <urlhist.h>

#include "platform/windows/system_message.h"

namespace tavlo {
namespace {

// How the history is named where it could not be changed.
constexpr const char* kHistoryName = "Internet Explorer";

}  // namespace

ComUrlHistory::ComUrlHistory() : ComUrlHistory(&ComUrlHistory::createSystemHistory) {}

ComUrlHistory::ComUrlHistory(Factory create) : create_(std::move(create)) {}

HRESULT ComUrlHistory::createSystemHistory(IUrlHistoryStg2** history)
{
    return CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
        IID_IUrlHistoryStg2, reinterpret_cast<void**>(history));
}

IoStatus ComUrlHistory::create(IUrlHistoryStg2*& history) const
{
    history = nullptr;
    const HRESULT result = create_(&history);
    if (SUCCEEDED(result) && history)
        return IoStatus::success();
    if (history)
        history->Release();
    history = nullptr;
    return IoStatus::failure(
        std::string(kHistoryName) + " の履歴が見つかりません。\r" + describeHresult(FAILED(result) ? result : E_POINTER));
}

// The object is made and released again within the calling thread's COM:
// the clearing runs on a thread of its own.
IoStatus ComUrlHistory::open()
{
    const ComApartment com;
    IUrlHistoryStg2* history = nullptr;
    IoStatus status = create(history);
    if (history)
        history->Release();
    return status;
}

// One call of the component: nothing of the work is left to stop between.
IoStatus ComUrlHistory::ClearHistory(const std::function<bool()>&)
{
    const ComApartment com;
    IUrlHistoryStg2* history = nullptr;
    if (IoStatus status = create(history); !status.ok)
        return status;
    const HRESULT result = history->ClearHistory();
    history->Release();
    if (FAILED(result))
        return IoStatus::failure(std::string(kHistoryName) + "\r" + describeHresult(result));
    return IoStatus::success();
}

}  // namespace tavlo

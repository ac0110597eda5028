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

ComUrlHistory::~ComUrlHistory()
{
    release();
}

HRESULT ComUrlHistory::createSystemHistory(IUrlHistoryStg2** history)
{
    return CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
        IID_IUrlHistoryStg2, reinterpret_cast<void**>(history));
}

void ComUrlHistory::release()
{
    if (history_) {
        history_->Release();
        history_ = nullptr;
    }
}

IoStatus ComUrlHistory::open()
{
    release();
    IUrlHistoryStg2* history = nullptr;
    const HRESULT result = create_(&history);
    if (FAILED(result) || !history) {
        if (history)
            history->Release();
        return IoStatus::failure(std::string(kHistoryName) + " の履歴が見つかりません。\r"
            + describeHresult(FAILED(result) ? result : E_POINTER));
    }
    history_ = history;
    return IoStatus::success();
}

// One call of the component: nothing of the work is left between.
IoStatus ComUrlHistory::ClearHistory(const std::function<void()>&)
{
    if (!history_) {
        if (IoStatus status = open(); !status.ok)
            return status;
    }
    const HRESULT result = history_->ClearHistory();
    release();
    if (FAILED(result))
        return IoStatus::failure(std::string(kHistoryName) + "\r" + describeHresult(result));
    return IoStatus::success();
}

}  // namespace tavlo

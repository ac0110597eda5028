#pragma once

#include <windows.h>

#include <functional>

#include "platform/url_history.h"
#include "platform/windows/com_apartment.h"

struct IUrlHistoryStg2;

namespace tavlo {

// The history that Internet Explorer and the system's own browsing share,
// cleared through its COM object (CLSID_CUrlHistory). COM runs on the
// creating thread for the life of the object (see ComApartment).
class ComUrlHistory final : public UrlHistory {
public:
    // Makes the history object; its HRESULT tells why there is none.
    using Factory = std::function<HRESULT(IUrlHistoryStg2** history)>;

    ComUrlHistory();
    explicit ComUrlHistory(Factory create);
    ~ComUrlHistory() override;
    ComUrlHistory(const ComUrlHistory&) = delete;
    ComUrlHistory& operator=(const ComUrlHistory&) = delete;

    IoStatus open() override;
    IoStatus ClearHistory(const std::function<void()>& between) override;

    // CoCreateInstance of the system's history object.
    static HRESULT createSystemHistory(IUrlHistoryStg2** history);

private:
    void release();

    // First made, last ended: the history object lives within it.
    ComApartment com_;
    Factory create_;
    IUrlHistoryStg2* history_ = nullptr;
};

}  // namespace tavlo

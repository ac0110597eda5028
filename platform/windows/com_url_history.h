#pragma once

#include <windows.h>

#include <functional>

#include "platform/url_history.h"
#include "platform/windows/com_apartment.h"

struct IUrlHistoryStg2;

namespace tavlo {

// The history that Internet Explorer and the system's own browsing share,
// cleared through its COM object (CLSID_CUrlHistory), which each call makes
// and releases within COM of its own thread (see ComApartment).
class ComUrlHistory final : public UrlHistory {
public:
    // Makes the history object; its HRESULT tells why there is none.
    using Factory = std::function<HRESULT(IUrlHistoryStg2** history)>;

    ComUrlHistory();
    explicit ComUrlHistory(Factory create);

    IoStatus open() override;
    IoStatus ClearHistory(const std::function<bool()>& keepGoing) override;

    // CoCreateInstance of the system's history object.
    static HRESULT createSystemHistory(IUrlHistoryStg2** history);

private:
    IoStatus create(IUrlHistoryStg2*& history) const;

    Factory create_;
};

}  // namespace tavlo

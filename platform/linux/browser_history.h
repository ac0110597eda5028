#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/url_history.h"

namespace tavlo {

// Where a browser keeps its histories, and how one is cleared.
struct HistoryLayout;

// The history databases of Firefox (places.sqlite and the search bar's part
// of formhistory.sqlite, in ~/.mozilla/firefox and
// $XDG_CONFIG_HOME/mozilla/firefox) and of Chromium and Google Chrome
// (History, in $XDG_CONFIG_HOME), every profile, changed through SQLite.
// Visits, typed addresses and search terms go; bookmarks, keywords, other
// form entries and settings stay. Chromium keeps its downloads; Firefox keeps
// its download list on the visited pages, which go with their history as in
// Firefox's own clearing.
class BrowserHistory final : public UrlHistory {
public:
    BrowserHistory(std::string home, std::string configHome);

    IoStatus open() override;
    // SQLite's progress handler asks `keepGoing`, as does each wait for a
    // browser's lock.
    IoStatus ClearHistory(const std::function<bool()>& keepGoing) override;

    // The databases that open() found.
    std::vector<std::string> databases() const;

private:
    std::string home_;
    std::string configHome_;
    std::vector<std::pair<std::string, const HistoryLayout*>> databases_;
};

}  // namespace tavlo

#pragma once

#include <string>
#include <vector>

#include "platform/url_history.h"

namespace tavlo {

// The history databases of Firefox (places.sqlite, in ~/.mozilla/firefox
// and $XDG_CONFIG_HOME/mozilla/firefox) and of Chromium and Google Chrome
// (History, in $XDG_CONFIG_HOME), every profile, changed through SQLite.
// Visits, typed addresses and search terms go; bookmarks, keywords,
// downloads and settings stay.
class BrowserHistory final : public UrlHistory {
public:
    BrowserHistory(std::string home, std::string configHome);

    IoStatus open() override;
    IoStatus ClearHistory() override;

    // The databases that open() found.
    const std::vector<std::string>& databases() const { return databases_; }

private:
    std::string home_;
    std::string configHome_;
    std::vector<std::string> databases_;
};

}  // namespace tavlo

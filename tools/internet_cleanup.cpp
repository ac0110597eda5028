#include "tools/internet_cleanup.h"

#include <memory>
#include <string>

#include "platform/url_cache.h"
#include "platform/url_history.h"
#include "platform/user_notifier.h"

namespace tavlo {
namespace {

constexpr std::string_view kDeleteFromOptions
    = "\rエラーが発生しました。\r一度インターネット オプションより削除してください。";

std::string firstEntryError(int code)
{
    return "ERROR: FindFirstUrlCacheEntry - " + std::to_string(code) + std::string(kDeleteFromOptions);
}

std::string nextEntryError(int code)
{
    return "Error:  Unable to find the next cache entry - " + std::to_string(code) + std::string(kDeleteFromOptions);
}

}  // namespace

void TIFDel_Click(UrlCache& cache, UserNotifier& notifier, const std::function<void()>& between)
{
    notifier.showMessage(std::string(kCacheWarning));

    UrlCacheEntry entry;
    int error = 0;
    const std::unique_ptr<UrlCacheWalk> walk = cache.findFirst(entry, error);
    if (!walk) {
        notifier.showMessage(error == kErrorNoMoreItems ? std::string(kDeletedMessage) : firstEntryError(error));
        return;
    }
    // An entry in use or already gone is passed over; only the end of the
    // cache ends the walk without an error.
    int ignored = 0;
    do {
        walk->remove(entry, ignored);
        if (between)
            between();
    } while (walk->next(entry, error));
    if (error != kErrorNoMoreItems) {
        notifier.showMessage(nextEntryError(error));
        return;
    }
    notifier.showMessage(std::string(kDeletedMessage));
}

void DelIHstry_Click(UrlHistory& history, UserNotifier& notifier, const std::function<void()>& between)
{
    notifier.showMessage(std::string(kHistoryWarning));
    // A history that stayed as it was is not reported as deleted.
    IoStatus status = history.open();
    if (status.ok)
        status = history.ClearHistory(between);
    notifier.showMessage(
        status.ok ? std::string(kDeletedMessage) : "インターネット履歴を削除できませんでした。\r" + status.reason);
}

}  // namespace tavlo

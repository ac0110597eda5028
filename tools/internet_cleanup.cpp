#include "tools/internet_cleanup.h"

#include <memory>
#include <string>

#include "platform/url_cache.h"
#include "platform/url_history.h"

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

std::string entriesLeftError(std::size_t left, int code)
{
    return "Error:  " + std::to_string(left) + " 個の項目を削除できませんでした - " + std::to_string(code)
        + std::string(kDeleteFromOptions);
}

}  // namespace

std::optional<Question> DeleteCache::question()
{
    // A warning: OK, and the deletion follows.
    return Question{std::string(kCacheWarning), false};
}

void DeleteCache::work(JobControl& control)
{
    UrlCacheEntry entry;
    int error = 0;
    const std::unique_ptr<UrlCacheWalk> walk = cache_.findFirst(entry, error);
    if (!walk) {
        outcome_ = error == kErrorNoMoreItems ? std::string(kDeletedMessage) : firstEntryError(error);
        return;
    }
    // An entry in use or already gone is passed over; one that cannot be
    // deleted for another reason (another user's, a read-only disk) stays,
    // and is counted. Only the end of the cache ends the walk without an
    // error.
    std::size_t left = 0;
    int leftError = 0;
    do {
        int removeError = 0;
        if (!walk->remove(entry, removeError) && removeError != kErrorFileNotFound && removeError != kErrorInUse) {
            ++left;
            leftError = removeError;
        }
        if (control.stopRequested())
            return;
    } while (walk->next(entry, error));
    if (error != kErrorNoMoreItems)
        outcome_ = nextEntryError(error);
    else if (left > 0)
        outcome_ = entriesLeftError(left, leftError);
    else
        outcome_ = std::string(kDeletedMessage);
}

std::optional<Question> ClearHistory::question()
{
    return Question{std::string(kHistoryWarning), false};
}

void ClearHistory::work(JobControl& control)
{
    // A history that stayed as it was is not reported as deleted.
    IoStatus status = history_.open();
    if (status.ok)
        status = history_.ClearHistory([&control] { return !control.stopRequested(); });
    outcome_ = status.ok ? std::string(kDeletedMessage) : "インターネット履歴を削除できませんでした。\r" + status.reason;
}

}  // namespace tavlo

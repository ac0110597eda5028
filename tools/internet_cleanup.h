#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "core/long_action.h"

namespace tavlo {

class UrlCache;
class UrlHistory;

// "インターネット一時ファイルの削除": after the warning, walks the cache and
// deletes every entry, then says so; the walk's errors end it with their
// code, and entries that could not be deleted are counted and reported.
class DeleteCache final : public LongAction {
public:
    explicit DeleteCache(UrlCache& cache) : cache_(cache) {}

    std::optional<Question> question() override;
    void work(JobControl& control) override;
    std::optional<std::string> outcome() override { return outcome_; }

private:
    UrlCache& cache_;
    std::string outcome_;
};

// "インターネット履歴の削除": after the warning, clears the browsers' history
// and says so, or tells why it could not.
class ClearHistory final : public LongAction {
public:
    explicit ClearHistory(UrlHistory& history) : history_(history) {}

    std::optional<Question> question() override;
    void work(JobControl& control) override;
    std::optional<std::string> outcome() override { return outcome_; }

private:
    UrlHistory& history_;
    std::string outcome_;
};

inline constexpr std::string_view kCacheWarning
    = "インターネット一時ファイルの削除を行います。\r開いているインターネットエクスプローラはすべて\r閉じてください。";
inline constexpr std::string_view kHistoryWarning
    = "インターネット履歴の削除を行います。\r開いているインターネットエクスプローラはすべて\r閉じてください。";
inline constexpr std::string_view kDeletedMessage = "削除しました。";

}  // namespace tavlo

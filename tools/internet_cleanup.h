#pragma once

#include <functional>
#include <string_view>

namespace tavlo {

class UrlCache;
class UrlHistory;
class UserNotifier;

// "インターネット一時ファイルの削除": after the warning, walks the cache and
// deletes every entry, then says so; the walk's errors end it with their code.
// `between` is called after each entry, so that events can run during a long
// walk.
void TIFDel_Click(UrlCache& cache, UserNotifier& notifier, const std::function<void()>& between = {});

// "インターネット履歴の削除": after the warning, clears the browsers' history
// and says so, or tells why it could not. `between` is called between the
// steps of the clearing.
void DelIHstry_Click(UrlHistory& history, UserNotifier& notifier, const std::function<void()>& between = {});

inline constexpr std::string_view kCacheWarning
    = "インターネット一時ファイルの削除を行います。\r開いているインターネットエクスプローラはすべて\r閉じてください。";
inline constexpr std::string_view kHistoryWarning
    = "インターネット履歴の削除を行います。\r開いているインターネットエクスプローラはすべて\r閉じてください。";
inline constexpr std::string_view kDeletedMessage = "削除しました。";

}  // namespace tavlo

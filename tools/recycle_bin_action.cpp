#include "tools/recycle_bin_action.h"

#include <utility>

namespace tavlo {

EmptyRecycleBin::EmptyRecycleBin(RecycleBin& bin, ShowProgress showProgress)
    : bin_(bin), showProgress_(std::move(showProgress))
{
}

std::optional<Question> EmptyRecycleBin::question()
{
    // A system that asks by itself is left to ask.
    if (bin_.asksItself())
        return std::nullopt;
    items_ = bin_.itemCount();
    if (items_ == 0)
        return std::nullopt;
    return Question{"ごみ箱の " + std::to_string(items_) + " 個の項目を完全に削除しますか?"};
}

void EmptyRecycleBin::work(JobControl& control)
{
    if (!bin_.asksItself() && items_ == 0)
        return;
    status_ = bin_.empty([&](std::size_t done, std::size_t total) {
        done_ = done;
        total_ = total;
        control.progressed();
        return !cancelled_ && !control.stopRequested();
    });
}

void EmptyRecycleBin::show()
{
    if (total_ > 0 && showProgress_ && !showProgress_(done_, total_))
        cancelled_ = true;
}

std::optional<std::string> EmptyRecycleBin::outcome()
{
    // The refusal of a system that asks by itself is its own business.
    if (status_.ok || bin_.asksItself())
        return std::nullopt;
    // What could not be deleted stays in the bin: the user is told, as the
    // system's own bin tells it.
    return "ごみ箱を空にできませんでした。\r" + status_.reason;
}

}  // namespace tavlo

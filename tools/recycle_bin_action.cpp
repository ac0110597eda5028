#include "tools/recycle_bin_action.h"

#include <string>

#include "platform/user_notifier.h"

namespace tavlo {
namespace {

std::string emptyBinQuestion(std::size_t items)
{
    return "ごみ箱の " + std::to_string(items) + " 個の項目を完全に削除しますか?";
}

}  // namespace

void cmdRBinEmp_Click(RecycleBin& bin, UserNotifier& notifier, const RecycleBin::Progress& progress)
{
    if (bin.asksItself()) {
        bin.empty(progress);  // a refusal, or an empty bin, ends silently
        return;
    }
    const std::size_t items = bin.itemCount();
    if (items == 0 || !notifier.ask(emptyBinQuestion(items)))
        return;
    // What could not be deleted stays in the bin: the user is told, as the
    // system's own bin tells it.
    if (const IoStatus status = bin.empty(progress); !status.ok)
        notifier.showMessage("ごみ箱を空にできませんでした。\r" + status.reason);
}

}  // namespace tavlo

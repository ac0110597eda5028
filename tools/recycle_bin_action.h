#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include "core/long_action.h"
#include "platform/recycle_bin.h"

namespace tavlo {

// The click handler of the menu window's hidden button cmdRBinEmp: asks,
// then empties the bin with progress (or lets a system that asks by itself
// do both). An empty bin, or the answer "いいえ", ends silently; items that
// stay in the bin are reported.
class EmptyRecycleBin final : public LongAction {
public:
    // Shows how many of how many items are gone; false asks to stop.
    using ShowProgress = std::function<bool(std::size_t done, std::size_t total)>;

    EmptyRecycleBin(RecycleBin& bin, ShowProgress showProgress);

    std::optional<Question> question() override;
    void work(JobControl& control) override;
    void show() override;
    std::optional<std::string> outcome() override;

private:
    RecycleBin& bin_;
    ShowProgress showProgress_;
    std::size_t items_ = 0;
    std::atomic<std::size_t> done_{0}, total_{0};
    std::atomic<bool> cancelled_{false};
    IoStatus status_ = IoStatus::success();
};

}  // namespace tavlo

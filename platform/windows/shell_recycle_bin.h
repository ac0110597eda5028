#pragma once

#include <windows.h>

#include "platform/recycle_bin.h"

namespace tavlo {

// The recycle bins of every drive, through the shell. Windows itself asks
// before emptying, shows the progress and plays its sound, over the owner
// window; the flags (SHERB_*) can make it do none of these.
class ShellRecycleBin final : public RecycleBin {
public:
    explicit ShellRecycleBin(HWND owner = nullptr, DWORD flags = 0) : owner_(owner), flags_(flags) {}

    // The window the shell's question and progress stand over.
    void setOwner(HWND owner) { owner_ = owner; }

    std::size_t itemCount() override;
    bool asksItself() const override { return true; }
    // The shell reports no progress to the program: `progress` is not called.
    IoStatus empty(const Progress& progress) override;

private:
    HWND owner_;
    DWORD flags_;
};

}  // namespace tavlo

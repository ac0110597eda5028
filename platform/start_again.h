#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tavlo {

// A new run of this program in place of this process, as it was started:
// the same arguments and the signal mask it was given. Made at the start of
// main, before anything changes either.
class StartAgain {
public:
    StartAgain(int argc, char* argv[]);
    ~StartAgain();
    StartAgain(const StartAgain&) = delete;
    StartAgain& operator=(const StartAgain&) = delete;

    // Replaces this process, keeping its number, so that whoever waits for
    // it goes on waiting. Returns only when that fails, and then says why on
    // standard error.
    void now() const;

private:
    struct Start;
    std::unique_ptr<Start> start_;
};

}  // namespace tavlo

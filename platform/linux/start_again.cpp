#include "platform/start_again.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace tavlo {

struct StartAgain::Start {
    std::vector<std::string> arguments;
    sigset_t mask;
};

StartAgain::StartAgain(int argc, char* argv[]) : start_(std::make_unique<Start>())
{
    // Qt takes its own options out of argv later; the new run gets them all.
    start_->arguments.assign(argv, argv + argc);
    sigprocmask(SIG_SETMASK, nullptr, &start_->mask);
}

StartAgain::~StartAgain() = default;

void StartAgain::now() const
{
    std::vector<char*> argv;
    argv.reserve(start_->arguments.size() + 1);
    for (const std::string& argument : start_->arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    sigprocmask(SIG_SETMASK, &start_->mask, nullptr);
    execv("/proc/self/exe", argv.data());
    std::perror("tavlo: could not start again");
}

}  // namespace tavlo

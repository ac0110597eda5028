#include "platform/start_again.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace tavlo {

void startAgain(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // A blocked signal stays blocked in the new program.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv("/proc/self/exe", argv.data());
    std::perror("tavlo: could not start again");
}

}  // namespace tavlo

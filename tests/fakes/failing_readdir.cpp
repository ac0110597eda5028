#include "tests/fakes/failing_readdir.h"

#include <dirent.h>
#include <dlfcn.h>

namespace tavlo::testing {
namespace {

int entriesLeft = -1;
int failWith = 0;

dirent* nextEntry(DIR* stream)
{
    using Readdir = dirent* (*)(DIR*);
    static const auto real = reinterpret_cast<Readdir>(::dlsym(RTLD_NEXT, "readdir"));
    if (entriesLeft == 0) {
        entriesLeft = -1;
        errno = failWith;
        return nullptr;
    }
    if (entriesLeft > 0)
        --entriesLeft;
    return real(stream);
}

}  // namespace

void failReaddirAfter(int entries, int error)
{
    entriesLeft = entries;
    failWith = error;
}

}  // namespace tavlo::testing

// WORKAROUND: the program's own definitions come before the C library's, for
// the standard library's folder walks as well; on x86-64 both names are one
// function.
extern "C" dirent* readdir(DIR* stream)
{
    return tavlo::testing::nextEntry(stream);
}

extern "C" dirent64* readdir64(DIR* stream)
{
    return reinterpret_cast<dirent64*>(tavlo::testing::nextEntry(stream));
}

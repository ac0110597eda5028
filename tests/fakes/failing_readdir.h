#pragma once

#include <cerrno>

namespace tavlo::testing {

// Makes the C library's readdir of this test program fail with `error` once
// it has given `entries` more entries, the way a folder on a failing disk or
// one removed while it is read fails midway. Every readdir behaves normally
// again after that failure, and always while no failure is armed.
void failReaddirAfter(int entries, int error = EIO);

}  // namespace tavlo::testing

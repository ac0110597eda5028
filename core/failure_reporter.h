#pragma once

#include <set>
#include <string>
#include <tuple>

#include "platform/user_notifier.h"

namespace tavlo {

// What the program was doing with its settings folder or file when it failed.
// Untrusted: the folder or the file is not safe to use (another user's, a
// planted link, a folder that others can write), so it is left alone.
enum class FileTask { CreateFolder, OpenFile, ReadFile, SaveFile, Untrusted };

// Tells the user of a failed file operation in a message box. A save is the
// user's own act and every failed one is told; the folder and the file fail
// again at each reload, which tells each distinct failure once, so that the
// same box does not come up again and again.
class FailureReporter {
public:
    explicit FailureReporter(UserNotifier& notifier) : notifier_(notifier) {}

    void report(FileTask task, const std::string& path, const std::string& reason);

private:
    UserNotifier& notifier_;
    std::set<std::tuple<FileTask, std::string, std::string>> reported_;
};

// The message for a failure: what failed, the path, the system's reason and
// what follows from it, one per line.
std::string failureMessage(FileTask task, const std::string& path, const std::string& reason);

}  // namespace tavlo

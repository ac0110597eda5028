#pragma once

#include <set>
#include <string>
#include <tuple>

#include "platform/user_notifier.h"

namespace tavlo {

// What the program was doing with its settings folder or file when it failed.
enum class FileTask { CreateFolder, OpenFile, ReadFile, SaveFile };

// Tells the user of a failed file operation in a message box, once for each
// distinct failure: the program runs on with the settings in memory, and a
// timer or a reload must not bring the same box up again and again.
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

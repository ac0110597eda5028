#pragma once

#include <optional>
#include <string>

namespace tavlo {

// A question put to the user before a long action's work: "はい" and
// "いいえ", or only OK for a warning that the work follows.
struct Question {
    std::string text;
    bool yesNo = true;
};

// What a long action's work, on a thread of its own, knows of the program.
class JobControl {
public:
    virtual ~JobControl() = default;

    // The program is ending: the work stops at its next safe point.
    virtual bool stopRequested() const = 0;

    // The progress moved: the window shows it soon.
    virtual void progressed() = 0;

    // The progress reached a point that the user must see: returns once the
    // window has shown it, or once a stop is asked.
    virtual void showAndWait() = 0;
};

// A maintenance action that may run long: an optional question, then its
// work off the user-interface thread, its progress shown meanwhile, and what
// it tells the user at the end. Everything but work() runs on the
// user-interface thread.
class LongAction {
public:
    virtual ~LongAction() = default;

    // Asked first; the work starts only on "はい" (or OK). Nothing: it
    // starts at once.
    virtual std::optional<Question> question() { return std::nullopt; }

    // The work is about to start.
    virtual void begin() {}

    // The work itself, on a thread of its own.
    virtual void work(JobControl& control) = 0;

    // Brings the progress so far into what the window shows.
    virtual void show() {}

    // Once the work has returned: what the user is told, if anything.
    virtual std::optional<std::string> outcome() { return std::nullopt; }
};

}  // namespace tavlo

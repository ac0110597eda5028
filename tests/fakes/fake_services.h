#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/failure_reporter.h"
#include "shell/main_window.h"
#include "tests/fakes/fake_codec.h"

namespace tavlo::testing {

struct FakeInstanceLock final : InstanceLock {
    bool otherRunning = false;
    bool anotherInstanceRunning() override { return otherRunning; }
};

struct FakeSession final : SessionInfo {
    std::string user = "user1";
    std::string directory = "/home/user1/tools";
    std::string userName() const override { return user; }
    std::string currentDirectory() const override { return directory; }
    char separator() const override { return '/'; }
};

struct FakeMemory final : MemoryStatus {
    std::optional<MemoryFigures> figures = MemoryFigures{1073741824, 536870912};
    int reads = 0;
    std::optional<MemoryFigures> read() override
    {
        ++reads;
        return figures;
    }
};

// Files and folders in memory; any path can be made to fail.
struct FakeFileStore final : FileStore {
    std::map<std::string, std::string> files;
    std::vector<std::string> folders;
    std::map<std::string, std::string> failingPaths;    // path -> reason, for every operation
    std::map<std::string, std::string> failingReads;    // path -> reason, for reads alone
    std::map<std::string, std::string> untrustedPaths;  // path -> reason, refused for every operation

    std::optional<IoStatus> failure(const std::string& path) const
    {
        if (const auto found = untrustedPaths.find(path); found != untrustedPaths.end())
            return IoStatus::refused(found->second);
        const auto found = failingPaths.find(path);
        if (found == failingPaths.end())
            return std::nullopt;
        return IoStatus::failure(found->second);
    }
    IoStatus ensureFolder(const std::string& path) override
    {
        if (auto failed = failure(path))
            return *failed;
        folders.push_back(path);
        return IoStatus::success();
    }
    IoStatus openOrCreate(const std::string& path, std::uint64_t& length) override
    {
        if (auto failed = failure(path))
            return *failed;
        length = files[path].size();
        return IoStatus::success();
    }
    void clearReadOnly(const std::string&) override {}
    IoStatus read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes) override
    {
        if (auto failed = failure(path))
            return *failed;
        if (const auto found = failingReads.find(path); found != failingReads.end())
            return IoStatus::failure(found->second);
        const std::string& content = files[path];
        bytes = offset < content.size() ? content.substr(offset, count) : std::string();
        return IoStatus::success();
    }
    IoStatus replace(const std::string& path, std::string_view content) override
    {
        if (auto failed = failure(path))
            return *failed;
        files[path] = std::string(content);
        return IoStatus::success();
    }
};

// Counter values by index; an index without a value fails to read.
struct FakeCounters final : CounterSource {
    std::map<int, double> values;
    std::optional<double> read(int index) override
    {
        const auto found = values.find(index);
        return found == values.end() ? std::nullopt : std::optional<double>(found->second);
    }
};

struct FakeClock final : Clock {
    LocalDateTime moment{2009, 4, 19, 18, 14, 27};
    LocalDateTime now() const override { return moment; }
    std::string shortDate(const LocalDateTime& m) const override
    {
        return std::to_string(m.year) + "/" + std::to_string(m.month) + "/" + std::to_string(m.day);
    }
    std::string longDate(const LocalDateTime& m) const override
    {
        return std::to_string(m.year) + "年" + std::to_string(m.month) + "月" + std::to_string(m.day) + "日";
    }
    std::string longTime(const LocalDateTime& m) const override
    {
        return std::to_string(m.hour) + ":" + std::to_string(m.minute) + ":" + std::to_string(m.second);
    }
};

// Monotonic time that moves only when told.
struct FakeScreen final : Screen {
    TwipSize size{1024 * 15, 768 * 15};
    // Beside the primary screen.
    std::vector<TwipRect> others;
    TwipSize primarySize() const override { return size; }
    std::vector<TwipRect> screens() const override
    {
        std::vector<TwipRect> all{{0, 0, size.width, size.height}};
        all.insert(all.end(), others.begin(), others.end());
        return all;
    }
};

// A block that fits while it is at most `capacity` words, and the sizes asked.
struct FakeBlocks final : MemoryBlocks {
    std::uint64_t capacity = UINT64_MAX;
    std::vector<std::uint64_t> reserved;
    bool held = false;
    // Called before each step grows the block.
    std::function<void(std::uint64_t words)> reserving;
    bool reserve(std::uint64_t words) override
    {
        if (reserving)
            reserving(words);
        reserved.push_back(words);
        held = words <= capacity;
        return held;
    }
    void release() override { held = false; }
};

// Programs that are "installed", and the starts asked for.
struct FakeLauncher final : Launcher {
    std::vector<std::string> installedPrograms;
    std::vector<std::string> failing;
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string directory;
    };
    std::vector<Start> started;
    bool installed(const std::string& program) const override
    {
        return std::find(installedPrograms.begin(), installedPrograms.end(), program) != installedPrograms.end();
    }
    bool start(const ToolProgram& program, const std::string& directory) override
    {
        if (std::find(failing.begin(), failing.end(), program.program) != failing.end())
            return false;
        started.push_back({program.program, program.arguments, directory});
        return true;
    }
};

// Each tool stands for the programs listed for it, none by default.
struct FakeToolPrograms final : ToolPrograms {
    std::map<Tool, std::vector<ToolProgram>> programs;
    std::vector<ToolProgram> candidates(Tool tool) const override
    {
        const auto found = programs.find(tool);
        return found == programs.end() ? std::vector<ToolProgram>{} : found->second;
    }
    std::string directory() const override { return "/"; }
};

struct FakeRecentDocuments final : RecentDocuments {
    IoStatus answer = IoStatus::success();
    int cleared = 0;
    IoStatus clear() override
    {
        ++cleared;
        return answer;
    }
};

// A bin of `items` items.
struct FakeRecycleBin final : RecycleBin {
    std::size_t items = 0;
    // Called before each item is deleted.
    std::function<void(std::size_t item)> deleting;
    IoStatus answer = IoStatus::success();
    int emptied = 0;
    bool systemAsks = false;
    std::size_t itemCount() override { return items; }
    bool asksItself() const override { return systemAsks; }
    IoStatus empty(const Progress& progress) override
    {
        ++emptied;
        for (std::size_t done = 1; done <= items; ++done) {
            if (deleting)
                deleting(done);
            if (!progress(done, items))
                break;
        }
        return answer;
    }
};

// A cache of named entries whose walk fails with `walkError` once it has
// given `entriesBeforeError` entries (0: never), and where the entries of
// `stuck` cannot be deleted, with `stuckError`.
struct FakeUrlCache final : UrlCache {
    std::vector<std::string> entries;
    int startError = kErrorNoMoreItems;
    int walkError = 0;
    std::size_t entriesBeforeError = 0;
    std::vector<std::string> stuck;
    int stuckError = kErrorFileNotFound;
    std::vector<std::string> removed;
    // The work of deleting an entry.
    std::function<void(const std::string&)> removing;

    struct Walk final : UrlCacheWalk {
        FakeUrlCache& cache;
        std::size_t given = 1;
        explicit Walk(FakeUrlCache& owner) : cache(owner) {}
        bool next(UrlCacheEntry& entry, int& error) override
        {
            if (cache.walkError != 0 && given == cache.entriesBeforeError) {
                error = cache.walkError;
                return false;
            }
            if (given == cache.entries.size()) {
                error = kErrorNoMoreItems;
                return false;
            }
            entry.name = cache.entries[given++];
            return true;
        }
        bool remove(const UrlCacheEntry& entry, int& error) override
        {
            if (std::find(cache.stuck.begin(), cache.stuck.end(), entry.name) != cache.stuck.end()) {
                error = cache.stuckError;
                return false;
            }
            if (cache.removing)
                cache.removing(entry.name);
            cache.removed.push_back(entry.name);
            return true;
        }
    };

    std::unique_ptr<UrlCacheWalk> findFirst(UrlCacheEntry& entry, int& error) override
    {
        if (entries.empty()) {
            error = startError;
            return nullptr;
        }
        entry.name = entries.front();
        return std::make_unique<Walk>(*this);
    }
};

struct FakeUrlHistory final : UrlHistory {
    IoStatus opening = IoStatus::success();
    IoStatus clearing = IoStatus::success();
    int cleared = 0;
    // The clearing's work, given the question whether to go on.
    std::function<void(const std::function<bool()>&)> during;
    IoStatus open() override { return opening; }
    IoStatus ClearHistory(const std::function<bool()>& keepGoing) override
    {
        ++cleared;
        if (during)
            during(keepGoing);
        return clearing;
    }
};

// What would be shown, in order: messages (posted ones too) and questions,
// each of which the test answers (`answer` at once for the modal ones;
// through `answerPending` for the others).
struct RecordingNotifier final : UserNotifier {
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = true;
    std::function<void(bool)> pending;
    int withdrawn = 0;
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool ask(const std::string& text) override
    {
        questions.push_back(text);
        return answer;
    }
    void post(const std::string& text) override { messages.push_back(text); }
    void askLater(const std::string& text, bool yesNo, std::function<void(bool)> answered) override
    {
        (yesNo ? questions : messages).push_back(text);
        pending = std::move(answered);
    }
    void withdraw() override
    {
        if (pending)
            ++withdrawn;
        pending = nullptr;
    }
    // Answers the open question as the user would.
    void answerPending(bool yes)
    {
        auto answered = std::exchange(pending, nullptr);
        if (answered)
            answered(yes);
    }
};

// Every service of the main window, faked, wired into a Services bundle; the
// code page is the fake one unless a real one is given.
struct FakeServices {
    FakeServices() : codec(fakeCodec) {}
    explicit FakeServices(const TextCodec& realCodec) : codec(realCodec) {}
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeCodec fakeCodec;
    const TextCodec& codec;
    FakeInstanceLock instance;
    FakeSession session;
    FakeMemory memory;
    FakeCounters counters;
    FakeFileStore files;
    FakeClock clock;
    FakeScreen screen;
    RecordingNotifier notifier;
    FailureReporter failures{notifier};
    FakeBlocks blocks;
    FakeLauncher launcher;
    FakeToolPrograms toolPrograms;
    FakeRecentDocuments recentDocuments;
    FakeRecycleBin recycleBin;
    FakeUrlCache urlCache;
    FakeUrlHistory urlHistory;
    Services services{instance, session, memory, counters, files, codec, clock, screen, notifier, failures, blocks,
        launcher, toolPrograms, recentDocuments, recycleBin, urlCache, urlHistory};

    std::string settingsPath() const { return session.directory + "/QvrnData/" + session.user + ".qvn"; }
};

}  // namespace tavlo::testing

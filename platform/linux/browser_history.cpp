#include "platform/linux/browser_history.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "platform/linux/descriptor.h"
#include "platform/linux/folder_tree.h"

namespace tavlo {
namespace {

// A statement of the clearing and the tables it needs: what this version of
// the browser lacks is left out with the statements that need it. A whole
// table goes row by row ("WHERE true"): emptied at once, it would go in one
// step of SQLite's, with no turn for the progress handler in between.
struct ClearStep {
    std::array<std::string_view, 3> tables;
    std::string_view sql;
};

constexpr ClearStep kFirefoxSteps[] = {
    {{"moz_historyvisits"}, "DELETE FROM moz_historyvisits WHERE true"},
    {{"moz_historyvisits_extra"}, "DELETE FROM moz_historyvisits_extra WHERE true"},
    {{"moz_inputhistory"}, "DELETE FROM moz_inputhistory WHERE true"},
    {{"moz_places_metadata"}, "DELETE FROM moz_places_metadata WHERE true"},
    {{"moz_places_metadata_search_queries"}, "DELETE FROM moz_places_metadata_search_queries WHERE true"},
    // A page stays while a bookmark or a keyword points at it.
    {{"moz_places", "moz_bookmarks", "moz_keywords"},
        "DELETE FROM moz_places WHERE id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)"
        " AND id NOT IN (SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL)"},
    {{"moz_places"}, "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL, typed = 0"},
    {{"moz_annos", "moz_places"}, "DELETE FROM moz_annos WHERE place_id NOT IN (SELECT id FROM moz_places)"},
    {{"moz_places_extra", "moz_places"},
        "DELETE FROM moz_places_extra WHERE place_id NOT IN (SELECT id FROM moz_places)"},
    {{"moz_origins", "moz_places"},
        "DELETE FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)"},
};

// What was typed into Firefox's search bar.
constexpr ClearStep kFirefoxFormSteps[] = {
    {{"moz_formhistory"}, "DELETE FROM moz_formhistory WHERE fieldname = 'searchbar-history'"},
};

// Chromium keeps bookmarks in a file of their own; downloads stay.
constexpr ClearStep kChromiumSteps[] = {
    {{"visits"}, "DELETE FROM visits WHERE true"},
    {{"visit_source"}, "DELETE FROM visit_source WHERE true"},
    {{"visited_links"}, "DELETE FROM visited_links WHERE true"},
    {{"keyword_search_terms"}, "DELETE FROM keyword_search_terms WHERE true"},
    {{"segment_usage"}, "DELETE FROM segment_usage WHERE true"},
    {{"segments"}, "DELETE FROM segments WHERE true"},
    {{"content_annotations"}, "DELETE FROM content_annotations WHERE true"},
    {{"context_annotations"}, "DELETE FROM context_annotations WHERE true"},
    {{"clusters_and_visits"}, "DELETE FROM clusters_and_visits WHERE true"},
    {{"cluster_keywords"}, "DELETE FROM cluster_keywords WHERE true"},
    {{"cluster_visit_duplicates"}, "DELETE FROM cluster_visit_duplicates WHERE true"},
    {{"clusters"}, "DELETE FROM clusters WHERE true"},
    {{"urls"}, "DELETE FROM urls WHERE true"},
};

}  // namespace

struct HistoryLayout {
    std::string_view profiles;  // under $HOME or $XDG_CONFIG_HOME
    bool inConfigHome;
    std::string_view file;
    std::span<const ClearStep> steps;
};

namespace {

constexpr HistoryLayout kHistoryLayouts[] = {
    {".mozilla/firefox", false, "places.sqlite", kFirefoxSteps},
    {"mozilla/firefox", true, "places.sqlite", kFirefoxSteps},
    {".mozilla/firefox", false, "formhistory.sqlite", kFirefoxFormSteps},
    {"mozilla/firefox", true, "formhistory.sqlite", kFirefoxFormSteps},
    {"chromium", true, "History", kChromiumSteps},
    {"google-chrome", true, "History", kChromiumSteps},
};

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

std::string reasonOf(sqlite3* db, int code)
{
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return "ブラウザが使用中です。ブラウザを閉じてから、もう一度実行してください。";
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
}

bool hasTable(sqlite3* db, std::string_view table)
{
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", -1, &query, nullptr)
        != SQLITE_OK)
        return false;
    sqlite3_bind_text(query, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    const bool found = sqlite3_step(query) == SQLITE_ROW;
    sqlite3_finalize(query);
    return found;
}

// SQLite's steps between two calls of the progress handler: a few
// hundred microseconds of work.
constexpr int kProgressSteps = 1000;

// How long a browser's lock is waited for, in turns of kLockWaitMs.
constexpr int kLockTurns = 50;
constexpr int kLockWaitMs = 10;

// Asked every kProgressSteps of SQLite's steps: non-zero interrupts the
// statement, and the transaction then rolls back.
int progressHandler(void* keepGoing)
{
    return (*static_cast<const std::function<bool()>*>(keepGoing))() ? 0 : 1;
}

// Waits for a lock in short turns while the work may go on.
int busyHandler(void* keepGoing, int turns)
{
    if (turns >= kLockTurns || progressHandler(keepGoing) != 0)
        return 0;
    sqlite3_sleep(kLockWaitMs);
    return 1;
}

// Clears one database in one transaction: it changes whole or not at all.
// `keepGoing` is asked every kProgressSteps of SQLite's steps.
std::string clearDatabase(
    const std::string& path, std::span<const ClearStep> steps, const std::function<bool()>& keepGoing)
{
    sqlite3* opened = nullptr;
    const int openCode = sqlite3_open_v2(path.c_str(), &opened, SQLITE_OPEN_READWRITE, nullptr);
    Database db(opened);
    if (openCode != SQLITE_OK)
        return reasonOf(db.get(), openCode);
    // A browser that runs holds its history locked: no long wait for it.
    void* context = const_cast<std::function<bool()>*>(&keepGoing);
    if (keepGoing) {
        sqlite3_busy_handler(db.get(), busyHandler, context);
        sqlite3_progress_handler(db.get(), kProgressSteps, progressHandler, context);
    } else {
        sqlite3_busy_timeout(db.get(), kLockTurns * kLockWaitMs);
    }
    // What is deleted is overwritten, not left readable in free pages. A
    // large cache spares writing the same pages to the log again and again
    // while a large history goes row by row.
    sqlite3_exec(db.get(), "PRAGMA secure_delete = ON; PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);

    const auto run = [&db](std::string_view sql) {
        return sqlite3_exec(db.get(), std::string(sql).c_str(), nullptr, nullptr, nullptr);
    };
    if (const int code = run("BEGIN IMMEDIATE"); code != SQLITE_OK)
        return reasonOf(db.get(), code);
    int code = SQLITE_OK;
    for (const ClearStep& step : steps) {
        const bool present = std::all_of(step.tables.begin(), step.tables.end(),
            [&](std::string_view table) { return table.empty() || hasTable(db.get(), table); });
        if (present && (code = run(step.sql)) != SQLITE_OK)
            break;
    }
    if (code == SQLITE_OK) {
        // Once every step has run, the commit is not interrupted.
        sqlite3_progress_handler(db.get(), 0, nullptr, nullptr);
        sqlite3_busy_timeout(db.get(), kLockTurns * kLockWaitMs);
        code = run("COMMIT");
    }
    if (code != SQLITE_OK) {
        std::string reason = reasonOf(db.get(), code);
        run("ROLLBACK");
        return reason;
    }
    return {};
}

}  // namespace

BrowserHistory::BrowserHistory(std::string home, std::string configHome)
    : home_(std::move(home)), configHome_(std::move(configHome))
{
}

IoStatus BrowserHistory::open()
{
    databases_.clear();
    for (const HistoryLayout& layout : kHistoryLayouts) {
        const std::string profiles = (layout.inConfigHome ? configHome_ : home_) + "/" + std::string(layout.profiles);
        const Descriptor folder(::open(profiles.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        std::vector<std::string> names;
        if (!folder || listFolder(folder.get(), names) != 0)
            continue;
        std::sort(names.begin(), names.end());
        for (const std::string& profile : names) {
            const std::string database = profiles + "/" + profile + "/" + std::string(layout.file);
            struct stat info {};
            if (::stat(database.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                databases_.emplace_back(database, &layout);
        }
    }
    if (databases_.empty())
        return IoStatus::failure("Firefox、Chromium、Google Chrome の履歴が見つかりません。");
    return IoStatus::success();
}

std::vector<std::string> BrowserHistory::databases() const
{
    std::vector<std::string> paths;
    for (const auto& found : databases_)
        paths.push_back(found.first);
    return paths;
}

IoStatus BrowserHistory::ClearHistory(const std::function<bool()>& keepGoing)
{
    // Each history is cleared on its own; the ones that could not be are named.
    std::string failures;
    for (const auto& [database, layout] : databases_) {
        if (keepGoing && !keepGoing())
            return IoStatus::failure("中断しました。");
        if (const std::string reason = clearDatabase(database, layout->steps, keepGoing); !reason.empty())
            failures += (failures.empty() ? "" : "\r") + database + "\r" + reason;
    }
    return failures.empty() ? IoStatus::success() : IoStatus::failure(failures);
}

}  // namespace tavlo

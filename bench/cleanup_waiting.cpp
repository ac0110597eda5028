// Where the user waits on the clean-ups: "ごみ箱を空にする",
// "インターネット一時ファイルの削除" and "インターネット履歴の削除" through the
// real Linux services, on data made up for the run in a folder of its own
// (HOME and the XDG folders point there, so nothing of the user's is
// touched). Prints each action's whole time and its last message; in the
// gadget the work runs beside the user interface, which never waits for it.
//
//   tavlo_cleanup_waiting [folder [--make-only]]
//
// The folder is a new one in $TMPDIR or /tmp unless given; a folder given is
// kept, and with --make-only holds the data with no action run on it.

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/linux/browser_cache.h"
#include "platform/linux/browser_history.h"
#include "platform/linux/freedesktop_trash.h"
#include "platform/linux/xdg_folders.h"
#include "tests/fakes/run_action.h"
#include "tools/internet_cleanup.h"
#include "tools/recycle_bin_action.h"

namespace {

using namespace tavlo;
namespace fs = std::filesystem;
using Wall = std::chrono::steady_clock;

double msBetween(Wall::time_point from, Wall::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void writeFile(const fs::path& path, std::size_t size)
{
    static const std::string bytes(64 * 1024, 'x');
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0 || ::write(file, bytes.data(), std::min(size, bytes.size())) < 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(file);
}

// A trash of `folders` trashed folders of `perFolder` files each.
void makeTrash(const fs::path& trash, int folders, int perFolder)
{
    fs::create_directories(trash / "files");
    fs::create_directories(trash / "info");
    for (int f = 0; f < folders; ++f) {
        const std::string name = "folder" + std::to_string(f);
        fs::create_directory(trash / "files" / name);
        for (int i = 0; i < perFolder; ++i)
            writeFile(trash / "files" / name / ("file" + std::to_string(i) + ".txt"), 512 + (i % 8) * 512);
        writeFile(trash / "info" / (name + ".trashinfo"), 80);
    }
}

// A cache folder of `entries` files named and sized as browsers do.
void makeCache(const fs::path& folder, int entries, const std::string& suffix)
{
    fs::create_directories(folder);
    char name[64];
    for (int i = 0; i < entries; ++i) {
        std::snprintf(name, sizeof name, "%016llX%08X%s", 0x9E3779B97F4A7C15ULL * static_cast<unsigned>(i + 1),
            static_cast<unsigned>(i), suffix.c_str());
        writeFile(folder / name, 1024 + (i % 16) * 1024);
    }
}

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n%s\n", error, sql);
        std::exit(1);
    }
}

// A Firefox history of `visits` visits to a quarter as many pages, with
// Firefox's tables and indexes, written in one transaction.
void makePlaces(const fs::path& path, int visits)
{
    fs::create_directories(path.parent_path());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    // Made fast: no journal and a large cache while it is written, the
    // indexes built last; then the write-ahead log that Firefox keeps.
    exec(db,
        "PRAGMA page_size = 32768; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
        " PRAGMA cache_size = -524288;");
    exec(db, "BEGIN");
    exec(db,
        "CREATE TABLE moz_origins (id INTEGER PRIMARY KEY, prefix TEXT NOT NULL, host TEXT NOT NULL,"
        " frecency INTEGER NOT NULL, UNIQUE (prefix, host));"
        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,"
        " visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,"
        " frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT,"
        " foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT,"
        " preview_image_url TEXT, origin_id INTEGER REFERENCES moz_origins(id));"
        "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER,"
        " visit_date INTEGER, visit_type INTEGER, session INTEGER, source INTEGER DEFAULT 0 NOT NULL,"
        " triggeringPlaceId INTEGER);"
        "CREATE TABLE moz_inputhistory (place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL,"
        " use_count INTEGER, PRIMARY KEY (place_id, input));"
        "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,"
        " parent INTEGER, position INTEGER, title LONGVARCHAR, dateAdded INTEGER, lastModified INTEGER,"
        " guid TEXT);"
        "CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER,"
        " post_data TEXT);"
        "CREATE TABLE moz_annos (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, anno_attribute_id INTEGER,"
        " content LONGVARCHAR, flags INTEGER DEFAULT 0, expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0,"
        " dateAdded INTEGER DEFAULT 0, lastModified INTEGER DEFAULT 0);"
        "CREATE TABLE moz_places_metadata (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL,"
        " referrer_place_id INTEGER, created_at INTEGER NOT NULL DEFAULT 0, updated_at INTEGER NOT NULL DEFAULT 0,"
        " total_view_time INTEGER NOT NULL DEFAULT 0, typing_time INTEGER NOT NULL DEFAULT 0,"
        " key_presses INTEGER NOT NULL DEFAULT 0, scrolling_time INTEGER NOT NULL DEFAULT 0,"
        " scrolling_distance INTEGER NOT NULL DEFAULT 0, document_type INTEGER NOT NULL DEFAULT 0,"
        " search_query_id INTEGER);");
    const std::string pages = std::to_string(visits / 4);
    const std::string all = std::to_string(visits);
    exec(db,
        ("INSERT INTO moz_origins (id, prefix, host, frecency) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
         " FROM n WHERE i < 5000) SELECT i, 'https://', 'www.site' || i || '.example', i FROM n;"
         "INSERT INTO moz_places (id, url, title, rev_host, visit_count, frecency, last_visit_date, guid, url_hash,"
         " description, origin_id) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
            + pages
            + ") SELECT i, 'https://www.site' || (i % 5000 + 1) || '.example/articles/' || i || '/' ||"
              " lower(hex(randomblob(12))), 'Article ' || i || ' ' || lower(hex(randomblob(24))),"
              " 'elpmaxe.' || (i % 5000 + 1) || 'etis.www.', 4, i % 2000, 1700000000000000 + i * 1000000,"
              " substr(lower(hex(randomblob(6))), 1, 12), abs(random() % 281474976710656),"
              " 'A description of article ' || i || ': ' || lower(hex(randomblob(64))), i % 5000 + 1 FROM n;"
              "INSERT INTO moz_historyvisits (id, from_visit, place_id, visit_date, visit_type, session, source)"
              " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
            + all + ") SELECT i, i - 1, (i * 7919) % " + pages
            + " + 1, 1700000000000000 + i * 250000, 1 + i % 9, 0, 0 FROM n;"
              "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) WITH RECURSIVE n(i) AS"
              " (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) SELECT i, 1, i * 97, 3, i, 'Bookmark ' || i,"
              " lower(hex(randomblob(6))) FROM n;"
              "INSERT INTO moz_keywords (keyword, place_id) VALUES ('ws', 11), ('mdn', 12);"
              "INSERT INTO moz_inputhistory (place_id, input, use_count) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
              " SELECT i + 1 FROM n WHERE i < 3000) SELECT i * 13, 'art' || i, 1 FROM n;"
              "INSERT INTO moz_annos (place_id, anno_attribute_id, content) WITH RECURSIVE n(i) AS (SELECT 1 UNION"
              " ALL SELECT i + 1 FROM n WHERE i < 5000) SELECT i * 31, 1, 'file:///home/u/Downloads/' || i FROM n;"
              "INSERT INTO moz_places_metadata (place_id, total_view_time) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
              " SELECT i + 1 FROM n WHERE i < 20000) SELECT i * 5, i FROM n;")
            .c_str());
    exec(db,
        "CREATE INDEX moz_places_url_hashindex ON moz_places (url_hash);"
        "CREATE INDEX moz_places_hostindex ON moz_places (rev_host);"
        "CREATE INDEX moz_places_visitcount ON moz_places (visit_count);"
        "CREATE INDEX moz_places_frecencyindex ON moz_places (frecency);"
        "CREATE INDEX moz_places_lastvisitdateindex ON moz_places (last_visit_date);"
        "CREATE UNIQUE INDEX moz_places_guid_uniqueindex ON moz_places (guid);"
        "CREATE INDEX moz_places_originidindex ON moz_places (origin_id);"
        "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);"
        "CREATE INDEX moz_historyvisits_fromindex ON moz_historyvisits (from_visit);"
        "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);"
        "CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type);"
        "CREATE UNIQUE INDEX moz_annos_placeattributeindex ON moz_annos (place_id, anno_attribute_id);");
    exec(db, "COMMIT");
    exec(db, "PRAGMA journal_mode = WAL");
    sqlite3_close(db);
}

template <typename Make> void timed(const char* what, Make make)
{
    const Wall::time_point start = Wall::now();
    make();
    std::printf("  made %s in %.0f ms\n", what, msBetween(start, Wall::now()));
    std::fflush(stdout);
}

// Runs a clean-up to its end, its question answered yes, as its work runs
// in the gadget: on a thread beside the user interface, which never waits.
void measure(const char* what, LongAction&& action)
{
    testing::RecordingNotifier notifier;
    const Wall::time_point start = Wall::now();
    testing::runToEnd(action, notifier);
    const std::string last = notifier.messages.empty() ? "" : notifier.messages.back();
    std::printf("| %-38s | %9.0f | %s\n", what, msBetween(start, Wall::now()), last.substr(0, last.find('\r')).c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[])
{
    fs::path root;
    if (argc > 1) {
        root = fs::absolute(argv[1]);
        fs::create_directories(root);
    } else {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavlo-cleanup-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            return 1;
        }
        root = pattern;
    }
    const fs::path home = root / "home";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    std::printf("data in %s\n", root.c_str());

    timed("a trash of 100,000 files in 1,000 folders",
        [] { makeTrash(FreedesktopTrash::defaultHomeTrash(), 1000, 100); });
    timed("a Firefox cache2 of 50,000 entries", [] {
        makeCache(fs::path(xdgCacheHome()) / "mozilla/firefox/k3x9m2qa.default-release/cache2/entries", 50000, "");
    });
    timed("a Chromium Cache_Data of 50,000 entries",
        [] { makeCache(fs::path(xdgCacheHome()) / "chromium/Default/Cache/Cache_Data", 50000, "_0"); });
    const fs::path places = fs::path(homeFolder()) / ".mozilla/firefox/k3x9m2qa.default-release/places.sqlite";
    timed("a places.sqlite of 1,000,000 visits", [&] { makePlaces(places, 1000000); });
    std::printf("  places.sqlite: %.0f MB\n\n", static_cast<double>(fs::file_size(places)) / (1024 * 1024));
    if (argc > 2 && std::string(argv[2]) == "--make-only")
        return 0;

    std::printf("| %-38s | %9s | %s\n", "action", "total ms", "last message");
    // Volumes' trashes are left alone: only the one made here.
    FreedesktopTrash trash(FreedesktopTrash::defaultHomeTrash(), [] { return std::vector<std::string>{}; }, ::geteuid());
    measure("empty the trash (100,000 files)", EmptyRecycleBin(trash, {}));
    BrowserCache cache(xdgCacheHome());
    measure("delete the caches (100,000 entries)", DeleteCache(cache));
    BrowserHistory history(homeFolder(), xdgConfigHome());
    measure("clear the history (1,000,000 visits)", ClearHistory(history));

    if (argc <= 1)
        fs::remove_all(root);
    return 0;
}

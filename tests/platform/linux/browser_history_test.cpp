#include "platform/linux/browser_history.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

// A database the test builds and reads, with the tables a browser has.
class TestDatabase {
public:
    explicit TestDatabase(const fs::path& path)
    {
        fs::create_directories(path.parent_path());
        sqlite3_open(path.c_str(), &db_);
    }
    ~TestDatabase() { sqlite3_close(db_); }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    void run(const char* sql) { ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

    long long count(const std::string& query)
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, query.c_str(), -1, &statement, nullptr);
        const long long value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        return value;
    }

private:
    sqlite3* db_ = nullptr;
};

void buildFirefox(TestDatabase& db)
{
    db.run("CREATE TABLE moz_origins (id INTEGER PRIMARY KEY, prefix TEXT, host TEXT);"
           "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT, visit_count INTEGER,"
           " last_visit_date INTEGER, typed INTEGER, origin_id INTEGER);"
           "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, place_id INTEGER, visit_date INTEGER);"
           "CREATE TABLE moz_inputhistory (place_id INTEGER, input TEXT, use_count INTEGER);"
           "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, fk INTEGER, title TEXT);"
           "CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY, keyword TEXT, place_id INTEGER);"
           "CREATE TABLE moz_annos (id INTEGER PRIMARY KEY, place_id INTEGER, content TEXT);"
           "CREATE TABLE moz_places_metadata (id INTEGER PRIMARY KEY, place_id INTEGER, total_view_time INTEGER);"
           "INSERT INTO moz_origins VALUES (1, 'https://', 'news.example'), (2, 'https://', 'wiki.example');"
           "INSERT INTO moz_places VALUES (1, 'https://news.example/today', 'News', 5, 1733040000, 1, 1),"
           " (2, 'https://wiki.example/moon', 'Moon', 2, 1733040100, 0, 2),"
           " (3, 'https://wiki.example/search', 'Search', 1, 1733040200, 1, 2);"
           "INSERT INTO moz_historyvisits VALUES (1, 1, 1), (2, 1, 2), (3, 2, 3), (4, 3, 4);"
           "INSERT INTO moz_inputhistory VALUES (1, 'new', 3);"
           "INSERT INTO moz_bookmarks VALUES (1, NULL, 'menu'), (2, 2, 'Moon page');"
           "INSERT INTO moz_keywords VALUES (1, 'ws', 3);"
           "INSERT INTO moz_annos VALUES (1, 1, 'downloaded'), (2, 2, 'note');"
           "INSERT INTO moz_places_metadata VALUES (1, 2, 5000);");
}

void buildChromium(TestDatabase& db)
{
    db.run("CREATE TABLE urls (id INTEGER PRIMARY KEY, url TEXT, title TEXT, visit_count INTEGER,"
           " typed_count INTEGER);"
           "CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER);"
           "CREATE TABLE keyword_search_terms (keyword_id INTEGER, url_id INTEGER, term TEXT);"
           "CREATE TABLE downloads (id INTEGER PRIMARY KEY, target_path TEXT);"
           "INSERT INTO urls VALUES (1, 'https://news.example/', 'News', 3, 1);"
           "INSERT INTO visits VALUES (1, 1, 10), (2, 1, 20);"
           "INSERT INTO keyword_search_terms VALUES (2, 1, 'moon phase');"
           "INSERT INTO downloads VALUES (1, '/home/u/Downloads/map.pdf');");
}

class BrowserHistoryTest : public ::testing::Test {
protected:
    testing::TempFolder root{"history"};
    fs::path home = root.path / "home";
    fs::path config = home / ".config";
    fs::path places = home / ".mozilla/firefox/abcd1234.default-release/places.sqlite";
    fs::path chromium = config / "chromium/Default/History";
    BrowserHistory history{home.string(), config.string()};
};

TEST_F(BrowserHistoryTest, NoBrowserProfileCannotBeOpened)
{
    fs::create_directories(home / ".mozilla/firefox/empty.default");
    const IoStatus status = history.open();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason, "Firefox、Chromium、Google Chrome の履歴が見つかりません。");
}

TEST_F(BrowserHistoryTest, FirefoxLosesVisitsTypedAddressesAndSearchesButKeepsBookmarksKeywordsAndForms)
{
    TestDatabase db(places);
    buildFirefox(db);
    TestDatabase forms(places.parent_path() / "formhistory.sqlite");
    forms.run(
        "CREATE TABLE moz_formhistory (id INTEGER PRIMARY KEY, fieldname TEXT, value TEXT);"
        "INSERT INTO moz_formhistory VALUES (1, 'searchbar-history', 'moon phase'), (2, 'email', 'u@example.org');");
    ASSERT_TRUE(history.open().ok);
    const IoStatus status = history.ClearHistory({});
    ASSERT_TRUE(status.ok) << status.reason;

    EXPECT_EQ(db.count("SELECT count(*) FROM moz_historyvisits"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_inputhistory"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_places_metadata"), 0);
    // Only the pages a bookmark or a keyword needs stay, with no visit left.
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_places WHERE id IN (2, 3)"), 2);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_places WHERE id = 1"), 0);
    EXPECT_EQ(db.count("SELECT sum(visit_count) + sum(typed) + count(last_visit_date) FROM moz_places"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_bookmarks"), 2);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_keywords"), 1);
    // Annotations and origins of the pages that went go with them.
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_annos"), 1);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_origins"), 1);
    // Of the forms, only what was typed into the search bar goes.
    EXPECT_EQ(forms.count("SELECT count(*) FROM moz_formhistory WHERE fieldname = 'email'"), 1);
    EXPECT_EQ(forms.count("SELECT count(*) FROM moz_formhistory"), 1);
}

TEST_F(BrowserHistoryTest, ChromiumLosesVisitsAndSearchesButKeepsDownloads)
{
    TestDatabase db(chromium);
    buildChromium(db);
    ASSERT_TRUE(history.open().ok);
    ASSERT_TRUE(history.ClearHistory({}).ok);
    EXPECT_EQ(db.count("SELECT count(*) FROM visits"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM urls"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM keyword_search_terms"), 0);
    EXPECT_EQ(db.count("SELECT count(*) FROM downloads"), 1);
}

TEST_F(BrowserHistoryTest, ALockedHistoryOrAFileThatIsNoDatabaseIsReportedWhileTheOthersAreCleared)
{
    TestDatabase firefox(places);
    buildFirefox(firefox);
    TestDatabase chrome(chromium);
    buildChromium(chrome);
    const fs::path notADatabase = config / "google-chrome/Default/History";
    testing::writeFile(notADatabase, "not a database at all, just text that is long enough to be read");
    ASSERT_TRUE(history.open().ok);
    EXPECT_EQ(history.databases().size(), 3u);

    // A running browser holds its history locked, as Firefox and Chromium
    // do: write-ahead log, exclusive locking, taken at the first read.
    firefox.run("PRAGMA journal_mode = WAL; PRAGMA locking_mode = EXCLUSIVE; SELECT count(*) FROM moz_places;");
    int turns = 0;
    const IoStatus status = history.ClearHistory([&turns] { return ++turns > 0; });
    EXPECT_GE(turns, 40);  // the half second's wait for the lock, in turns
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason,
        places.string() + "\rブラウザが使用中です。ブラウザを閉じてから、もう一度実行してください。\r"
            + notADatabase.string() + "\rfile is not a database");
    EXPECT_EQ(firefox.count("SELECT count(*) FROM moz_historyvisits"), 4);
    EXPECT_EQ(chrome.count("SELECT count(*) FROM visits"), 0);
}

// A million visits take seconds to clear: SQLite's work comes in small
// steps, with a turn between them, however the table goes.
TEST_F(BrowserHistoryTest, AWholeTableGoesInStepsWithTurnsBetween)
{
    TestDatabase db(places);
    buildFirefox(db);
    db.run("INSERT INTO moz_historyvisits (place_id, visit_date) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
           " SELECT i + 1 FROM n WHERE i < 20000) SELECT 1 + i % 3, i FROM n;"
           "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);");
    ASSERT_TRUE(history.open().ok);
    int turns = 0;
    ASSERT_TRUE(history.ClearHistory([&turns] { return ++turns > 0; }).ok);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_historyvisits"), 0);
    EXPECT_GE(turns, 100);
}

// Asked to stop halfway (the program ends), the clearing leaves the history
// whole, as it was: nothing half-deleted.
TEST_F(BrowserHistoryTest, AStopHalfwayLeavesTheHistoryAsItWas)
{
    TestDatabase db(places);
    buildFirefox(db);
    db.run("INSERT INTO moz_historyvisits (place_id, visit_date) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL"
           " SELECT i + 1 FROM n WHERE i < 20000) SELECT 1 + i % 3, i FROM n;");
    const auto before = db.count("SELECT count(*) FROM moz_historyvisits");
    ASSERT_TRUE(history.open().ok);
    int turns = 0;
    EXPECT_FALSE(history.ClearHistory([&turns] { return ++turns < 20; }).ok);
    EXPECT_EQ(turns, 20);
    EXPECT_EQ(db.count("SELECT count(*) FROM moz_historyvisits"), before);
}

}  // namespace
}  // namespace tavlo

#include "platform/windows/com_url_history.h"

#include <windows.h>

#include <objbase.h>
#include <urlhist.h>

#include <gtest/gtest.h>

#include "platform/windows/under_wine.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"
#include "tools/internet_cleanup.h"

namespace tavlo {
namespace {

constexpr std::string_view kNotDeleted = "インターネット履歴を削除できませんでした。\r";

bool startsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

// Wine's history object answers E_NOTIMPL to ClearHistory: the user is told
// the history could not be deleted, with the code. (On Windows this would
// clear the developer's own history, so it runs only under Wine.)
TEST(ComUrlHistory, WinesHistoryOpensButCannotBeClearedAndSaysWhy)
{
    if (!runningUnderWine())
        GTEST_SKIP() << "clears the real history outside Wine";
    ComUrlHistory history;
    EXPECT_TRUE(history.open().ok);

    testing::RecordingNotifier notifier;
    ClearHistory action(history);
    testing::runToEnd(action, notifier);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0], kHistoryWarning);
    EXPECT_TRUE(startsWith(notifier.messages[1], std::string(kNotDeleted) + "Internet Explorer\r0x80004001"))
        << notifier.messages[1];
}

// A history object of the test's own, since Wine implements no ClearHistory
// to succeed or fail as Windows does.
class FakeHistoryStorage final : public IUrlHistoryStg2 {
public:
    explicit FakeHistoryStorage(HRESULT clearResult) : clearResult_(clearResult) {}

    int clears = 0;
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE AddUrl(LPCOLESTR, LPCOLESTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteUrl(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryUrl(LPCOLESTR, DWORD, LPSTATURL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToObject(LPCOLESTR, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumUrls(IEnumSTATURL**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddUrlAndNotify(
        LPCOLESTR, LPCOLESTR, DWORD, WINBOOL, IOleCommandTarget*, IUnknown*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearHistory() override
    {
        ++clears;
        return clearResult_;
    }

private:
    HRESULT clearResult_;
};

struct HistoryRow {
    const char* name;
    HRESULT createResult;
    HRESULT clearResult;
    std::string message;  // the start of what the user is told
    int clears;
    friend void PrintTo(const HistoryRow& row, std::ostream* out) { *out << row.name; }
};

class ComUrlHistoryRows : public ::testing::TestWithParam<HistoryRow> {};

TEST_P(ComUrlHistoryRows, TellsTheUserWhatBecameOfTheHistory)
{
    const HistoryRow& row = GetParam();
    FakeHistoryStorage storage(row.clearResult);
    ComUrlHistory history([&](IUrlHistoryStg2** made) {
        *made = SUCCEEDED(row.createResult) ? &storage : nullptr;
        if (*made)
            storage.AddRef();
        return row.createResult;
    });

    testing::RecordingNotifier notifier;
    ClearHistory action(history);
    testing::runToEnd(action, notifier);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_TRUE(startsWith(notifier.messages[1], row.message)) << notifier.messages[1];
    EXPECT_EQ(storage.clears, row.clears);
    EXPECT_EQ(storage.references, 1u) << "every reference taken is given back";
}

INSTANTIATE_TEST_SUITE_P(WineHasNoClearHistory, ComUrlHistoryRows,
    ::testing::Values(HistoryRow{"Cleared", S_OK, S_OK, std::string(kDeletedMessage), 1},
        HistoryRow{"NotRegistered", REGDB_E_CLASSNOTREG, S_OK,
            std::string(kNotDeleted) + "Internet Explorer の履歴が見つかりません。\r0x80040154", 0},
        HistoryRow{
            "ClearRefused", S_OK, E_ACCESSDENIED, std::string(kNotDeleted) + "Internet Explorer\r0x80070005", 1}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavlo

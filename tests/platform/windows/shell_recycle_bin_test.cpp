#include "platform/windows/shell_recycle_bin.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/windows/wide_text.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"
#include "tests/fakes/temp_folder.h"
#include "tests/platform/windows/system_state_lock.h"
#include "tools/recycle_bin_action.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

std::string environment(const wchar_t* name)
{
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length > 0 && length < 4096 ? toUtf8(value) : std::string();
}

// Wine's recycle bin is the Linux user's Trash: $XDG_DATA_HOME/Trash, or
// ~/.local/share/Trash. Its Linux folder when that lies beside the Wine
// prefix, in the test wrapper's own world; empty otherwise.
std::string isolatedTrash()
{
    const std::string prefix = environment(L"WINEPREFIX");
    const std::string dataHome = environment(L"XDG_DATA_HOME");
    const std::string home = environment(L"HOME");
    const std::string trash = (dataHome.empty() ? home + "/.local/share" : dataHome) + "/Trash";
    const std::size_t slash = prefix.rfind('/');
    if (prefix.empty() || (dataHome.empty() && home.empty()) || slash == std::string::npos || slash == 0)
        return {};
    const std::string wrapper = prefix.substr(0, slash + 1);
    return trash.rfind(wrapper, 0) == 0 && trash.find("/..") == std::string::npos ? trash : std::string();
}

// Deletes the files to the bin as Explorer does, without asking.
void deleteToBin(const std::vector<fs::path>& files)
{
    std::wstring from;
    for (const fs::path& file : files)
        from += file.wstring() + L'\0';
    from += L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
    ASSERT_EQ(SHFileOperationW(&operation), 0);
    ASSERT_FALSE(operation.fAnyOperationsAborted);
}

TEST(ShellRecycleBin, CountsTheItemsAndEmptiesEveryOneWhenTheShellNeedNotAsk)
{
    const std::string trash = isolatedTrash();
    if (trash.empty())
        GTEST_SKIP() << "Wine's recycle bin would be the real user's Trash: run through wine_run.sh";
    const testing::SystemStateLock alone(L"recycle-bin");
    ShellRecycleBin bin(nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
    ASSERT_TRUE(bin.empty({}).ok);
    ASSERT_EQ(bin.itemCount(), 0u);

    const testing::TempFolder temp("bin");
    const fs::path draft = temp.path / L"下書き.txt";
    const fs::path notes = temp.path / "notes.txt";
    testing::writeFile(draft, "a draft");
    testing::writeFile(notes, "some notes");
    deleteToBin({draft, notes});
    EXPECT_FALSE(fs::exists(draft));
    EXPECT_EQ(bin.itemCount(), 2u);
    // Through Wine's Z: drive: the items went to the wrapper's own Trash.
    const fs::path files = fs::path(L"Z:" + toWide(trash)) / "files";
    EXPECT_EQ(std::distance(fs::directory_iterator(files), fs::directory_iterator()), 2);

    // The shell asks and shows progress itself: the program does neither.
    EXPECT_TRUE(bin.asksItself());
    testing::RecordingNotifier notifier;
    int progressCalls = 0;
    EmptyRecycleBin action(bin, [&](std::size_t, std::size_t) {
        ++progressCalls;
        return true;
    });
    testing::runToEnd(action, notifier);
    EXPECT_EQ(bin.itemCount(), 0u);
    EXPECT_TRUE(fs::is_empty(files));
    EXPECT_EQ(progressCalls, 0);
    EXPECT_TRUE(notifier.questions.empty());
    EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace tavlo

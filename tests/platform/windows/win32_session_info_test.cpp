#include "platform/windows/win32_session_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/windows/wide_text.h"
#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

// Puts the process in `folder` for the life of the object.
struct InFolder {
    explicit InFolder(const std::wstring& folder) { SetCurrentDirectoryW(folder.c_str()); }
    ~InFolder() { SetCurrentDirectoryW(before.c_str()); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    std::wstring before = std::filesystem::current_path().wstring();
};

TEST(Win32SessionInfo, NamesTheUserAndTheFolderOutsideAnyCodePage)
{
    const Win32SessionInfo session;
    EXPECT_FALSE(session.userName().empty());
    EXPECT_EQ(session.separator(), '\\');

    const testing::TempFolder temp("session");
    const std::filesystem::path folder = temp.path / L"Ελληνικά ü 😀 設定";
    std::filesystem::create_directories(folder);
    const InFolder inside(folder.wstring());
    EXPECT_EQ(toWide(session.currentDirectory()), folder.wstring());
}

TEST(Win32SessionInfo, OnlyARootKeepsItsSeparator)
{
    const Win32SessionInfo session;
    const InFolder root(L"C:\\");
    EXPECT_EQ(session.currentDirectory(), "C:\\");
}

}  // namespace
}  // namespace tavlo

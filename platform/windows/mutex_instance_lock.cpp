#include "platform/windows/mutex_instance_lock.h"

#include <windows.h>

#include <lmcons.h>
#include <sddl.h>

#include <vector>

namespace tavlo {
namespace {

std::wstring userSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::wstring text;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* sid = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)
        && ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

}  // namespace

MutexInstanceLock::MutexInstanceLock() : name_(userMutexName()) {}

MutexInstanceLock::~MutexInstanceLock()
{
    if (held_)
        CloseHandle(held_);
}

std::wstring MutexInstanceLock::userMutexName()
{
    std::wstring owner = userSid();
    if (owner.empty()) {
        wchar_t name[UNLEN + 1] = {};
        DWORD size = UNLEN + 1;
        owner = GetUserNameW(name, &size) ? name : L"user";
    }
    return L"Local\\Tavlo-" + owner;
}

bool MutexInstanceLock::anotherInstanceRunning()
{
    if (held_)
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name_.c_str());
    if (!mutex)
        return false;  // no lock to be had: run unlocked rather than not at all
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    held_ = mutex;
    return false;
}

}  // namespace tavlo

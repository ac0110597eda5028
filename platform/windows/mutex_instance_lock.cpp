#include "platform/windows/mutex_instance_lock.h"

#include <windows.h>

#include <sddl.h>

#include "platform/windows/wide_text.h"
#include "platform/windows/win32_place_trust.h"
#include "platform/windows/win32_session_info.h"

namespace tavlo {
namespace {

// The process user's SID as text ("S-1-5-21-…"), empty when unknown.
std::wstring userSidText()
{
    const PSID user = processPrincipal().user;
    wchar_t* text = nullptr;
    if (!user || !ConvertSidToStringSidW(user, &text))
        return {};
    std::wstring sid = text;
    LocalFree(text);
    return sid;
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
    std::wstring owner = userSidText();
    if (owner.empty())
        owner = toWide(Win32SessionInfo().userName());
    return L"Local\\Tavlo-" + owner;
}

bool MutexInstanceLock::anotherInstanceRunning()
{
    if (held_)
        return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name_.c_str());
    if (!mutex) {
        // The mutex is there but its owner keeps this process out of it: the
        // first copy runs elevated, or as the same user under another token.
        // Any other failure leaves no lock to be had: run unlocked rather
        // than not at all.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    held_ = mutex;
    return false;
}

}  // namespace tavlo

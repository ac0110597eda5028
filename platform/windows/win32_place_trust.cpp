#include "platform/windows/win32_place_trust.h"

#include <vector>

namespace tavlo {
namespace {

// Rights that let their holder change what the place holds, or who may.
constexpr ACCESS_MASK kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC
    | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;

bool isWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    return sid && IsValidSid(sid) && IsWellKnownSid(sid, type);
}

// NT SERVICE\TrustedInstaller, which owns the system's own folders.
bool isInstallerService(PSID sid)
{
    static const std::vector<BYTE> installer = [] {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        PSID made = nullptr;
        std::vector<BYTE> bytes;
        if (AllocateAndInitializeSid(
                &nt, 6, 80, 956008885, 3418522649, 1831038044, 1853292631, 2271478464, 0, 0, &made)) {
            const auto* start = static_cast<const BYTE*>(made);
            bytes.assign(start, start + GetLengthSid(made));
            FreeSid(made);
        }
        return bytes;
    }();
    return !installer.empty() && IsValidSid(sid) && EqualSid(sid, const_cast<BYTE*>(installer.data()));
}

bool mayWrite(PSID sid, const Principal& me)
{
    if (me.user && EqualSid(sid, me.user))
        return true;
    for (const WELL_KNOWN_SID_TYPE type :
        {WinLocalSystemSid, WinBuiltinAdministratorsSid, WinCreatorOwnerSid, WinCreatorOwnerRightsSid})
        if (isWellKnown(sid, type))
            return true;
    return isInstallerService(sid);
}

std::vector<BYTE> tokenInformation(TOKEN_INFORMATION_CLASS what)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, what, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, what, buffer.data(), size, &size))
        buffer.clear();
    CloseHandle(token);
    return buffer;
}

}  // namespace

const Principal& processPrincipal()
{
    static const std::vector<BYTE> user = [] {
        const std::vector<BYTE> info = tokenInformation(TokenUser);
        if (info.empty())
            return std::vector<BYTE>{};
        const PSID sid = reinterpret_cast<const TOKEN_USER*>(info.data())->User.Sid;
        const auto* start = static_cast<const BYTE*>(sid);
        return std::vector<BYTE>(start, start + GetLengthSid(sid));
    }();
    // A group that the token holds for denying only still makes its user an
    // administrator: the same user's elevated programs act as one.
    static const bool administrator = [] {
        const std::vector<BYTE> info = tokenInformation(TokenGroups);
        if (info.empty())
            return false;
        const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(info.data());
        for (DWORD i = 0; i < groups->GroupCount; ++i)
            if (isWellKnown(groups->Groups[i].Sid, WinBuiltinAdministratorsSid))
                return true;
        return false;
    }();
    static const Principal principal{user.empty() ? nullptr : const_cast<BYTE*>(user.data()), administrator};
    return principal;
}

Trust judgeSecurity(PSID owner, const ACL* dacl, const Principal& me)
{
    const bool ownedByUser = owner && IsValidSid(owner) && me.user && EqualSid(owner, me.user);
    const bool ownedByAdministrators = me.administrator && isWellKnown(owner, WinBuiltinAdministratorsSid);
    if (!ownedByUser && !ownedByAdministrators)
        return Trust::othersOwnIt;
    if (!dacl)
        return Trust::othersCanWrite;
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(const_cast<ACL*>(dacl), index, &entry))
            return Trust::othersCanWrite;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        // Entries only for what the folder will hold do not bind the folder itself.
        if (header->AceFlags & INHERIT_ONLY_ACE)
            continue;
        if (header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == SYSTEM_AUDIT_ACE_TYPE
            || header->AceType == SYSTEM_MANDATORY_LABEL_ACE_TYPE)
            continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE)
            return Trust::othersCanWrite;  // an entry of a kind not judged here grants who knows what
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kWriteRights) && !mayWrite(sid, me))
            return Trust::othersCanWrite;
    }
    return Trust::own;
}

Verdict judgeEntry(const EntryFacts& entry, bool mayFollow)
{
    if (entry.link)
        return entry.trust != Trust::othersOwnIt && mayFollow ? Verdict::follow : Verdict::refuseLink;
    switch (entry.trust) {
    case Trust::own:
        return Verdict::use;
    case Trust::othersOwnIt:
        return Verdict::refuseOwner;
    case Trust::othersCanWrite:
        break;
    }
    return Verdict::refuseWriters;
}

}  // namespace tavlo

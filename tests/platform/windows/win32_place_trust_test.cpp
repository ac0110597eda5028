#include "platform/windows/win32_place_trust.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tavlo {
namespace {

// SIDs built here, so that the rows judge the same whoever runs them.
class Sid {
public:
    explicit Sid(WELL_KNOWN_SID_TYPE type) : bytes_(SECURITY_MAX_SID_SIZE)
    {
        DWORD size = SECURITY_MAX_SID_SIZE;
        CreateWellKnownSid(type, nullptr, bytes_.data(), &size);
    }
    // S-1-5-21-1-2-3-<rid>: a local account.
    explicit Sid(DWORD rid) : bytes_(SECURITY_MAX_SID_SIZE)
    {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        InitializeSid(bytes_.data(), &nt, 5);
        const DWORD parts[] = {21, 1, 2, 3, rid};
        for (BYTE i = 0; i < 5; ++i)
            *GetSidSubAuthority(bytes_.data(), i) = parts[i];
    }
    PSID get() const { return const_cast<BYTE*>(bytes_.data()); }

private:
    std::vector<BYTE> bytes_;
};

const Sid kUser(1000);
const Sid kOtherUser(1001);
const Sid kSystem(WinLocalSystemSid);
const Sid kAdministrators(WinBuiltinAdministratorsSid);
const Sid kUsers(WinBuiltinUsersSid);
const Sid kEveryone(WinWorldSid);
const Sid kCreatorOwner(WinCreatorOwnerSid);

struct Grant {
    const Sid* to;
    DWORD rights;
    DWORD inheritance = NO_INHERITANCE;
};

// An ACL made by the system's own SetEntriesInAclW (InitializeAcl for one
// with no entries, which SetEntriesInAclW does not make); freed with the row.
struct BuiltAcl {
    explicit BuiltAcl(const std::vector<Grant>& grants)
    {
        if (grants.empty()) {
            acl = static_cast<PACL>(LocalAlloc(LPTR, sizeof(ACL)));
            EXPECT_TRUE(InitializeAcl(acl, sizeof(ACL), ACL_REVISION));
            return;
        }
        std::vector<EXPLICIT_ACCESS_W> entries;
        for (const Grant& grant : grants) {
            EXPLICIT_ACCESS_W entry{};
            entry.grfAccessPermissions = grant.rights;
            entry.grfAccessMode = GRANT_ACCESS;
            entry.grfInheritance = grant.inheritance;
            entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
            entry.Trustee.ptstrName = static_cast<LPWSTR>(grant.to->get());
            entries.push_back(entry);
        }
        EXPECT_EQ(SetEntriesInAclW(static_cast<ULONG>(entries.size()), entries.data(), nullptr, &acl), ERROR_SUCCESS);
    }
    ~BuiltAcl() { LocalFree(acl); }
    PACL acl = nullptr;
};

struct SecurityRow {
    const char* situation;
    const Sid* owner;
    std::optional<std::vector<Grant>> grants;  // none: a NULL DACL
    bool administrator;
    Trust expected;
};

TEST(JudgeSecurity, TellsTheUsersOwnPlacesFromThoseOthersOwnOrCanWrite)
{
    const std::vector<Grant> usual{{&kUser, FILE_ALL_ACCESS}, {&kSystem, FILE_ALL_ACCESS},
        {&kAdministrators, FILE_ALL_ACCESS}, {&kUsers, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    const SecurityRow rows[] = {
        {"the user alone", &kUser, std::vector<Grant>{{&kUser, FILE_ALL_ACCESS}}, false, Trust::own},
        {"the user, the system and the administrators; users read", &kUser, usual, false, Trust::own},
        {"no entries: nobody may do anything", &kUser, std::vector<Grant>{}, false, Trust::own},
        {"the system and the administrators only", &kUser,
            std::vector<Grant>{{&kSystem, GENERIC_ALL}, {&kAdministrators, GENERIC_ALL}}, false, Trust::own},
        {"creator owner, for what the folder will hold", &kUser,
            std::vector<Grant>{{&kUser, FILE_ALL_ACCESS}, {&kCreatorOwner, GENERIC_ALL}}, false, Trust::own},
        {"everyone may write", &kUser, std::vector<Grant>{{&kUser, FILE_ALL_ACCESS}, {&kEveryone, FILE_GENERIC_WRITE}},
            false, Trust::othersCanWrite},
        {"users may add files", &kUser, std::vector<Grant>{{&kUser, FILE_ALL_ACCESS}, {&kUsers, FILE_ADD_FILE}}, false,
            Trust::othersCanWrite},
        {"users may delete what is in it", &kUser, std::vector<Grant>{{&kUsers, FILE_DELETE_CHILD}}, false,
            Trust::othersCanWrite},
        {"another user may change the permissions", &kUser, std::vector<Grant>{{&kOtherUser, WRITE_DAC}}, false,
            Trust::othersCanWrite},
        {"another user may take ownership", &kUser, std::vector<Grant>{{&kOtherUser, WRITE_OWNER}}, false,
            Trust::othersCanWrite},
        {"everyone may do anything, by a generic right", &kUser, std::vector<Grant>{{&kEveryone, GENERIC_ALL}}, false,
            Trust::othersCanWrite},
        {"users may write only what the folder will hold", &kUser,
            std::vector<Grant>{{&kUsers, FILE_GENERIC_WRITE, SUB_CONTAINERS_AND_OBJECTS_INHERIT | INHERIT_ONLY}}, false,
            Trust::own},
        {"a NULL DACL", &kUser, std::nullopt, false, Trust::othersCanWrite},
        {"another user's", &kOtherUser, std::vector<Grant>{{&kUser, FILE_ALL_ACCESS}}, false, Trust::othersOwnIt},
        {"the administrators', for an administrator", &kAdministrators, usual, true, Trust::own},
        {"the administrators', for a user who is none", &kAdministrators, usual, false, Trust::othersOwnIt},
        {"the system's", &kSystem, usual, true, Trust::othersOwnIt},
    };
    for (const SecurityRow& row : rows) {
        SCOPED_TRACE(row.situation);
        const Principal me{kUser.get(), row.administrator};
        if (!row.grants) {
            EXPECT_EQ(judgeSecurity(row.owner->get(), nullptr, me), row.expected);
            continue;
        }
        const BuiltAcl built(*row.grants);
        ASSERT_NE(built.acl, nullptr);
        EXPECT_EQ(judgeSecurity(row.owner->get(), built.acl, me), row.expected);
    }
}

TEST(JudgeSecurity, NoOwnerIsNobodysOwn)
{
    const BuiltAcl built({{&kUser, FILE_ALL_ACCESS}});
    EXPECT_EQ(judgeSecurity(nullptr, built.acl, {kUser.get(), true}), Trust::othersOwnIt);
}

TEST(ProcessPrincipal, IsTheTokensUser)
{
    const Principal& me = processPrincipal();
    ASSERT_NE(me.user, nullptr);
    EXPECT_TRUE(IsValidSid(me.user));
    EXPECT_EQ(&processPrincipal(), &me);  // read once
}

// Wine 8 makes no links at all (CreateSymbolicLinkW reports success and
// makes nothing; FSCTL_SET_REPARSE_POINT fails with ERROR_NOT_SUPPORTED), so
// what the store does with one is decided here, on what it saw of it.
TEST(JudgeEntry, FollowsTheUsersOwnLinkOnceAndRefusesAnyOther)
{
    struct Row {
        const char* situation;
        EntryFacts entry;
        bool mayFollow;
        Verdict expected;
    };
    const Row rows[] = {
        {"the user's own folder or file", {false, Trust::own}, true, Verdict::use},
        {"another user's", {false, Trust::othersOwnIt}, true, Verdict::refuseOwner},
        {"one that others can write", {false, Trust::othersCanWrite}, true, Verdict::refuseWriters},
        {"the user's own link", {true, Trust::own}, true, Verdict::follow},
        {"another user's link", {true, Trust::othersOwnIt}, true, Verdict::refuseLink},
        {"a link where the user's link led", {true, Trust::own}, false, Verdict::refuseLink},
        {"the user's own file where the user's link led", {false, Trust::own}, false, Verdict::use},
        {"another user's file where the user's link led", {false, Trust::othersOwnIt}, false, Verdict::refuseOwner},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        EXPECT_EQ(judgeEntry(row.entry, row.mayFollow), row.expected);
    }
}

}  // namespace
}  // namespace tavlo

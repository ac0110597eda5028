#pragma once

#include <windows.h>

namespace tavlo {

// Who the program runs as: the user's SID, and whether the user is one of
// the administrators, whose elevated programs make files that the
// Administrators group owns.
struct Principal {
    PSID user = nullptr;
    bool administrator = false;
};

// The principal of this process, read from its token once.
const Principal& processPrincipal();

// How far a folder or a file may be trusted with the user's settings.
enum class Trust { own, othersOwnIt, othersCanWrite };

// Judges an owner and a DACL (nullptr is a NULL DACL: everyone may do
// everything). The place is the user's own when the user owns it, or the
// Administrators group does and the user is an administrator; others can
// write it when the DACL allows a write, add, delete, permission or
// ownership right to anyone but the user, the system, the administrators,
// the installer service and the owner's stand-ins.
Trust judgeSecurity(PSID owner, const ACL* dacl, const Principal& me);

// What one name is, seen without following a link: a link (a symbolic link
// or a junction), and the trust of what is there (for a link, of its owner).
struct EntryFacts {
    bool link = false;
    Trust trust = Trust::own;
};

enum class Verdict { use, follow, refuseLink, refuseOwner, refuseWriters };

// The user's own link is followed when `mayFollow` (once: what it leads to
// is looked at with `mayFollow` false); any other link is refused, and so
// is a place that is not the user's own.
Verdict judgeEntry(const EntryFacts& entry, bool mayFollow);

}  // namespace tavlo

#pragma once

#include <xcb/xcb.h>

#include <string>

namespace tavlo {

// Qt's own X connection; none under another platform, where xcb calls
// would crash.
xcb_connection_t* x11Connection();

// The atom of `name`, made if it is new; XCB_ATOM_NONE when the server did
// not answer.
xcb_atom_t atom(xcb_connection_t* connection, const std::string& name);

}  // namespace tavlo

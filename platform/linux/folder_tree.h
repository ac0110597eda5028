#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/linux/descriptor.h"

// Folder operations through descriptors: what a folder holds is reached
// through the folder itself, never through a path that a link swapped in
// meanwhile could redirect.
namespace tavlo {

// The names in the open folder, without "." and "..". Returns 0 or errno.
int listFolder(int folder, std::vector<std::string>& names);

// Opens the folder `name` of the open folder `parent` when it is a real
// folder, never through a link.
Descriptor openFolderIn(int parent, const char* name);

// Opens `base`, following links, then each folder of `relative` below it
// without following any.
Descriptor openBelow(const std::string& base, const std::string& relative);

// Removes `name` from the open folder `parent`: a file or a link by itself,
// a folder with everything it holds. Links are removed, never followed, and
// other volumes mounted inside are left alone; a folder of the user's
// without write permission is made writable first. `carryOn` is asked after
// each file, and false stops. Returns 0, or the errno of the first part that
// could not be removed (ECANCELED when stopped).
int removeTree(int parent, const std::string& name, const std::function<bool()>& carryOn);

}  // namespace tavlo

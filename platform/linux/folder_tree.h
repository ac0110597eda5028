#pragma once

#include <string>
#include <vector>

// Folder operations through descriptors: what a folder holds is reached
// through the folder itself, never through a path that a link swapped in
// meanwhile could redirect.
namespace tavlo {

// The names in the open folder, without "." and "..". Returns 0 or errno.
int listFolder(int folder, std::vector<std::string>& names);

// Removes `name` from the open folder `parent`: a file or a link by itself,
// a folder with everything it holds. Links are removed, never followed; a
// folder of the user's without write permission is made writable first.
// Returns 0, or the errno of the first part that could not be removed.
int removeTree(int parent, const std::string& name);

}  // namespace tavlo

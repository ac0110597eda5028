#pragma once

#include <string>

// The user's base folders of the XDG Base Directory rules: each variable
// when it holds an absolute path, otherwise its default under $HOME.
namespace tavlo {

std::string homeFolder();
std::string xdgDataHome();    // ~/.local/share
std::string xdgConfigHome();  // ~/.config
std::string xdgCacheHome();   // ~/.cache

}  // namespace tavlo

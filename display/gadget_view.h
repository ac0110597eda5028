#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/colour.h"

namespace tavlo {

inline constexpr int kMoonPictureCount = 30;

struct FontSpec {
    std::string face;
    double pointSize = 0;  // 0: the window's default font
    bool bold = false;
    bool italic = false;

    bool operator==(const FontSpec&) const = default;
};

struct LabelView {
    std::string text;
    Colour colour = kSilver;
    bool visible = true;
    FontSpec font;

    bool operator==(const LabelView&) const = default;
};

// A bar is a solid rectangle; its frame is the outline around the full width.
struct BarView {
    double width = 0;  // twips
    Colour fill = kSilver;
    Colour border = kSilver;
    Colour frameBorder = kSilver;

    bool operator==(const BarView&) const = default;
};

// Geometry in twips (15 twips are one device-independent pixel).
struct WindowView {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = false;
    Colour colourKey = 0;  // pixels of exactly this colour are see-through

    bool operator==(const WindowView&) const = default;
};

struct TrayView {
    bool present = false;
    std::string tip;

    bool operator==(const TrayView&) const = default;
};

// Everything the gadget window and its notification icon show: a value that
// the logic writes and the shell paints.
struct GadgetView {
    WindowView window;
    TrayView tray;

    LabelView lblDate, lblTime;
    LabelView Label1, lblCPer;
    LabelView Label2, lblRamT, Label5, lblRTotal, lblRPer;
    LabelView Label3, lblDPer;
    LabelView Label4, lblDSPer;

    BarView PrscrTime, RamT, DiskTime, DSpce;

    std::array<bool, kMoonPictureCount> moonVisible{};

    bool operator==(const GadgetView&) const = default;
};

}  // namespace tavlo

#pragma once

#include <array>
#include <string_view>

#include "display/gadget_view.h"
#include "platform/screen.h"

namespace tavlo {

// Placements are rectangles in twips from the top-left corner of the
// window's client area.

enum class Alignment { Left, Centre, Right };

struct LabelPlacement {
    std::string_view name;
    LabelView GadgetView::*label;
    TwipRect rect;
    Alignment alignment;
};

struct BarPlacement {
    std::string_view name;
    BarView GadgetView::*bar;
    TwipRect rect;  // the frame; the bar starts at the same corner
};

inline constexpr double kFullBarWidth = 2595;
inline constexpr TwipRect kMoonRect{2520, 180, 795, 795};
inline constexpr std::string_view kDefaultClockFace = "ＭＳ Ｐゴシック";

// The fixed arrangement: it never moves, only texts and bar widths change.
inline constexpr std::array<LabelPlacement, 13> kLabelPlacements{{
    {"lblDate", &GadgetView::lblDate, {360, 240, 2175, 375}, Alignment::Centre},
    {"lblTime", &GadgetView::lblTime, {360, 480, 2175, 495}, Alignment::Centre},
    {"Label1", &GadgetView::Label1, {120, 1245, 615, 255}, Alignment::Centre},
    {"lblCPer", &GadgetView::lblCPer, {2640, 1485, 615, 255}, Alignment::Right},
    {"Label2", &GadgetView::Label2, {120, 1845, 615, 255}, Alignment::Centre},
    {"lblRamT", &GadgetView::lblRamT, {960, 2085, 735, 255}, Alignment::Right},
    {"Label5", &GadgetView::Label5, {1740, 2085, 135, 255}, Alignment::Centre},
    {"lblRTotal", &GadgetView::lblRTotal, {1920, 2085, 975, 255}, Alignment::Left},
    {"lblRPer", &GadgetView::lblRPer, {2640, 2085, 615, 255}, Alignment::Right},
    {"Label3", &GadgetView::Label3, {120, 2445, 615, 255}, Alignment::Centre},
    {"lblDPer", &GadgetView::lblDPer, {2640, 2685, 615, 255}, Alignment::Right},
    {"Label4", &GadgetView::Label4, {120, 2940, 615, 375}, Alignment::Centre},
    {"lblDSPer", &GadgetView::lblDSPer, {2640, 3285, 615, 255}, Alignment::Right},
}};

inline constexpr std::array<BarPlacement, 4> kBarPlacements{{
    {"PrscrTime", &GadgetView::PrscrTime, {720, 1200, kFullBarWidth, 255}},
    {"RamT", &GadgetView::RamT, {720, 1800, kFullBarWidth, 255}},
    {"DiskTime", &GadgetView::DiskTime, {720, 2400, kFullBarWidth, 255}},
    {"DSpce", &GadgetView::DSpce, {720, 3000, kFullBarWidth, 255}},
}};

// The look before any setting applies: design silver, fixed captions,
// placeholders until the first refresh, bars at full width, no moon.
GadgetView initialGadgetView();

}  // namespace tavlo

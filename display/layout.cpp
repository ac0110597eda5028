#include "display/layout.h"

#include <string>

namespace tavlo {

GadgetView initialGadgetView()
{
    const std::string face(kDefaultClockFace);
    GadgetView view;
    view.lblDate.font = {face, 14.25, true, false};
    view.lblTime.font = {face, 24, true, false};
    for (LabelView GadgetView::*caption :
        {&GadgetView::Label1, &GadgetView::Label2, &GadgetView::Label3, &GadgetView::Label4}) {
        (view.*caption).font = {face, 9.75, true, false};
    }
    view.Label1.text = "CPU";
    view.Label2.text = "RAM";
    view.Label3.text = "DISK";
    view.Label4.text = "空き　領域";
    view.Label5.text = "/";
    view.lblCPer.text = "CPer";
    view.lblRPer.text = "RPer";
    view.lblDPer.text = "DPer";
    view.lblDSPer.text = "DSPer";
    view.lblRamT.text = "RTime";
    for (const BarPlacement& placement : kBarPlacements)
        (view.*placement.bar).width = kFullBarWidth;
    return view;
}

}  // namespace tavlo

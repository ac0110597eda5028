#include <QGuiApplication>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/desktop_window.h"
#include "platform/linux/x11_connection.h"

namespace tavlo {

bool compositorRunning()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    // Desktops run one X screen; Qt opens the gadget on screen 0. The atom
    // stays the same for the life of the connection.
    static const xcb_atom_t selection = atom(connection, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply
        = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void keepOffTaskbar(std::uintptr_t window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const std::vector<xcb_atom_t> hints{
        atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"), atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window), state, XCB_ATOM_ATOM, 32,
        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
}

void refuseKeyboardFocus(std::uintptr_t window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const auto target = static_cast<xcb_window_t>(window);
    // The ICCCM's "no input" model: the input field of WM_HINTS false and no
    // WM_TAKE_FOCUS among WM_PROTOCOLS. Qt 6.4's Qt::WindowDoesNotAcceptFocus
    // clears the input field but leaves WM_TAKE_FOCUS, which makes the window
    // "globally active": a window manager may still pick it for the focus and
    // send it WM_TAKE_FOCUS (KWin and mutter count either field as accepting
    // the focus). Both fields are set here, whatever Qt set.
    constexpr std::uint32_t kInputHint = 1;
    xcb_get_property_reply_t* hints = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, target, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
    std::vector<std::uint32_t> fields(9, 0);
    if (hints && hints->format == 32) {
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(hints));
        const int count = std::min(xcb_get_property_value_length(hints) / 4, 9);
        std::copy(values, values + count, fields.begin());
    }
    std::free(hints);
    fields[0] |= kInputHint;
    fields[1] = 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, target, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
        static_cast<std::uint32_t>(fields.size()), fields.data());

    const xcb_atom_t protocolsAtom = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t takeFocus = atom(connection, "WM_TAKE_FOCUS");
    xcb_get_property_reply_t* protocols = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, target, protocolsAtom, XCB_ATOM_ATOM, 0, 32), nullptr);
    if (protocols && protocols->format == 32) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(protocols));
        std::vector<xcb_atom_t> kept(values, values + xcb_get_property_value_length(protocols) / 4);
        std::erase(kept, takeFocus);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, target, protocolsAtom, XCB_ATOM_ATOM, 32,
            static_cast<std::uint32_t>(kept.size()), kept.data());
    }
    std::free(protocols);
    xcb_flush(connection);
}

void setWindowShape(std::uintptr_t window, const WindowShape& shape, ShapeKind kind)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || shape.width <= 0 || shape.height <= 0)
        return;
    // The server takes bitmaps in its own bit order, rows padded to its unit.
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int pad = setup->bitmap_format_scanline_pad / 8;
    const int stride = (shape.width + setup->bitmap_format_scanline_pad - 1) / setup->bitmap_format_scanline_pad * pad;
    const bool reversed = setup->bitmap_format_bit_order == XCB_IMAGE_ORDER_MSB_FIRST;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stride) * static_cast<std::size_t>(shape.height), 0);
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < (shape.width + 7) / 8; ++x) {
            std::uint8_t byte = shape.bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(shape.stride)
                + static_cast<std::size_t>(x)];
            if (reversed) {
                std::uint8_t mirrored = 0;
                for (int bit = 0; bit < 8; ++bit)
                    mirrored = static_cast<std::uint8_t>(mirrored | ((byte >> bit) & 1) << (7 - bit));
                byte = mirrored;
            }
            data[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x)] = byte;
        }
    }

    const auto target = static_cast<xcb_window_t>(window);
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, 1, pixmap, target, static_cast<std::uint16_t>(shape.width),
        static_cast<std::uint16_t>(shape.height));
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_XY_PIXMAP, pixmap, gc, static_cast<std::uint16_t>(shape.width),
        static_cast<std::uint16_t>(shape.height), 0, 0, 0, 1, static_cast<std::uint32_t>(data.size()), data.data());
    xcb_shape_mask(connection, XCB_SHAPE_SO_SET,
        kind == ShapeKind::DrawingAndInput ? XCB_SHAPE_SK_BOUNDING : XCB_SHAPE_SK_INPUT, target, 0, 0, pixmap);
    xcb_free_gc(connection, gc);
    xcb_free_pixmap(connection, pixmap);
    xcb_flush(connection);
}

}  // namespace tavlo

// Starts a program and times it as a person sees it: from the exec to the
// moment the X server maps its first sizeable top-level window (one of more
// than 64 px each way: not a notification icon), and to the moment that
// window first shows something of its own: a window is mapped before it is
// drawn, and shows what lay beneath it until then. Then, once start-up has
// settled, reads its peak resident size, asks it to end and waits for it.
// Needs a display without a compositor, where a window's pixels are the
// screen's.
//
// Usage: tavlo_map_time SETTLE_MS PROGRAM [ARGUMENTS...]
// Prints one line: "MAPPED_MS PAINTED_MS PEAK_RSS_KB", or fails with a reason.
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int fail(const std::string& reason)
{
    std::fprintf(stderr, "tavlo_map_time: %s\n", reason.c_str());
    return 1;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// The process that owns a window, as the toolkit states it in _NET_WM_PID.
pid_t ownerOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom)
{
    auto* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    pid_t pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = static_cast<pid_t>(*static_cast<std::uint32_t*>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

bool sizeable(xcb_connection_t* connection, xcb_window_t window)
{
    auto* reply = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const bool large = reply && reply->width > 64 && reply->height > 64;
    std::free(reply);
    return large;
}

struct Area {
    xcb_drawable_t drawable;
    std::int16_t x, y;
    std::uint16_t width, height;
};

// The area's pixels, as the server holds them: 32 bits each at depth 24.
std::vector<std::uint32_t> pixelsOf(xcb_connection_t* connection, const Area& area)
{
    auto* reply = xcb_get_image_reply(connection,
        xcb_get_image(
            connection, XCB_IMAGE_FORMAT_Z_PIXMAP, area.drawable, area.x, area.y, area.width, area.height, ~0U),
        nullptr);
    std::vector<std::uint32_t> pixels;
    if (reply) {
        const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply));
        pixels.assign(data, data + xcb_get_image_data_length(reply) / 4);
    }
    std::free(reply);
    return pixels;
}

// The window's place on the screen.
Area screenArea(xcb_connection_t* connection, xcb_window_t window, xcb_window_t root)
{
    auto* geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    auto* place = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr);
    Area area{root, 0, 0, 0, 0};
    if (geometry && place)
        area = {root, place->dst_x, place->dst_y, geometry->width, geometry->height};
    std::free(geometry);
    std::free(place);
    return area;
}

// Whether the window's pixels differ anywhere from the screen's before.
bool drawn(const std::vector<std::uint32_t>& window, const Area& area, const std::vector<std::uint32_t>& screen,
    std::size_t screenWidth)
{
    for (std::size_t y = 0; y < area.height; ++y) {
        for (std::size_t x = 0; x < area.width; ++x) {
            const std::size_t screenAt = (area.y + y) * screenWidth + area.x + x;
            if ((window[y * area.width + x] ^ screen[screenAt]) & 0xFFFFFF)
                return true;
        }
    }
    return false;
}

long peakRssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
        return fail("usage: tavlo_map_time SETTLE_MS PROGRAM [ARGUMENTS...]");
    const int settleMs = std::atoi(argv[1]);

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return fail("cannot connect to the X display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);

    // What the screen shows before the program starts: a window shows the
    // same until it is drawn.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::vector<std::uint32_t> before
        = pixelsOf(connection, Area{root, 0, 0, screen->width_in_pixels, screen->height_in_pixels});

    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0)
        return fail(std::string("cannot start ") + argv[2]);

    // A program that maps nothing within this time has failed to start.
    const auto deadline = start + std::chrono::seconds(20);
    double mappedMs = -1;
    xcb_window_t mapped = XCB_NONE;
    while (mappedMs < 0) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection))
                return fail("the X connection ended");
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
                return fail(std::string(argv[2]) + " mapped no window");
            }
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left));
            continue;
        }
        const auto now = Clock::now();
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (ownerOf(connection, window, pidAtom) == pid && sizeable(connection, window)) {
                mappedMs = std::chrono::duration<double, std::milli>(now - start).count();
                mapped = window;
            }
        }
        std::free(event);
    }

    // Drawn once a pixel of the window differs from the screen before.
    const Area area = screenArea(connection, mapped, root);
    double paintedMs = -1;
    while (paintedMs < 0 && Clock::now() < deadline) {
        const std::vector<std::uint32_t> now = pixelsOf(connection, area);
        if (now.size() != std::size_t{area.width} * area.height)
            return fail("cannot read the window's pixels");
        if (drawn(now, area, before, screen->width_in_pixels))
            paintedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peak = peakRssKb(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(connection);
    if (peak < 0)
        return fail("the program ended before its peak was read");
    std::printf("%.2f %.2f %ld\n", mappedMs, paintedMs, peak);
    return 0;
}

// window-watch: times a program's start from outside, through the X server, and its peak
// memory.
//
//   window-watch TITLE COMMAND [ARGUMENT...]
//
// Starts COMMAND and waits for a window named TITLE to be mapped and for the program to have
// drawn it and its other windows (the X server reports each window's first drawing through the
// DAMAGE extension). Then it closes that window as its user would (WM_DELETE_WINDOW and Enter),
// waits until it is unmapped, and pings the program's other window: the program answers once
// its event loop runs again, after the work that the closing set off. Then it closes that
// window (WM_DELETE_WINDOW) and waits for the program to end. Prints one line:
//
//   MAPPED_MS AFTER_CLOSE_MS PEAK_KIB DRAWN_MS
//
// AFTER_CLOSE_MS is the time to the unmap when the program has no other window. Nothing here
// waits by sleeping: every wait is for an X event or the process, with a deadline.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

bool ended(pid_t child) {
    siginfo_t info{};
    return waitid(P_PID, id_t(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == child;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const char* what, pid_t child = 0) {
    std::fprintf(stderr, "window-watch: %s\n", what);
    if (child > 0)
        kill(child, SIGKILL);
    std::exit(2);
}

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

std::string nameOf(xcb_connection_t* x, xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr);
    std::string name;
    if (reply)
        name.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
}

// Whether a window takes the protocol (its WM_PROTOCOLS name it).
bool takes(xcb_connection_t* x, xcb_window_t window, xcb_atom_t protocols, xcb_atom_t protocol) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, protocols, XCB_ATOM_ATOM, 0, 32), nullptr);
    bool found = false;
    if (reply) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
            found = found || atoms[i] == protocol;
    }
    std::free(reply);
    return found;
}

void sendProtocol(xcb_connection_t* x, xcb_window_t window, xcb_atom_t protocols,
                  xcb_atom_t protocol) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = protocol;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = window;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
}

xcb_keycode_t keycodeOf(xcb_connection_t* x, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(x);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        x, xcb_get_keyboard_mapping(x, setup->min_keycode, uint8_t(count)), nullptr);
    xcb_keycode_t found = 0;
    if (reply) {
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
        for (int i = 0; i < count * reply->keysyms_per_keycode && !found; ++i) {
            if (keysyms[i] == keysym)
                found = xcb_keycode_t(setup->min_keycode + i / reply->keysyms_per_keycode);
        }
    }
    std::free(reply);
    return found;
}

// Presses and releases a key in a window that has the input focus.
void pressKey(xcb_connection_t* x, xcb_window_t root, xcb_window_t window, xcb_keycode_t key) {
    xcb_set_input_focus(x, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
        xcb_key_press_event_t event{};
        event.response_type = type;
        event.detail = key;
        event.root = root;
        event.event = window;
        event.same_screen = 1;
        xcb_send_event(x, 0, window,
                       type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS
                                             : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(x);
}

// The windows that the program has drawn into: the X server reports a window's first drawing
// through DAMAGE, which is asked for as soon as the window is created, before it can be mapped.
class Drawing {
public:
    explicit Drawing(xcb_connection_t* x) : m_x(x) {
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_notify = uint8_t(damage->first_event + XCB_DAMAGE_NOTIFY);
        std::free(xcb_damage_query_version_reply(
            x, xcb_damage_query_version(x, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr));
    }
    // Takes note of a window created or drawn into.
    void note(const xcb_generic_event_t* event) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event);
            xcb_damage_create(m_x, xcb_generate_id(m_x), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(m_x);
        } else if (type == m_notify) {
            m_drawn.insert(reinterpret_cast<const xcb_damage_notify_event_t*>(event)->drawable);
        }
    }
    bool drawn(xcb_window_t window) const { return m_drawn.count(window) > 0; }

private:
    xcb_connection_t* m_x;
    uint8_t m_notify = 0;
    std::set<xcb_window_t> m_drawn;
};

// The next event, or none once the deadline has passed or the child has ended.
xcb_generic_event_t* nextEvent(xcb_connection_t* x, Drawing& drawing, Clock::time_point deadline,
                               pid_t child) {
    while (Clock::now() < deadline) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            drawing.note(event);
            return event;
        }
        if (ended(child))
            return nullptr;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(xcb_get_file_descriptor(x), &fds);
        timeval tick{0, 20000};
        select(xcb_get_file_descriptor(x) + 1, &fds, nullptr, nullptr, &tick);
    }
    return nullptr;
}

// Pings a window and waits for its program's answer: the program answers once its event loop
// has worked through what came before the ping.
void pingAndWait(xcb_connection_t* x, Drawing& drawing, xcb_window_t root, xcb_window_t window,
                 xcb_atom_t protocols, xcb_atom_t ping, Clock::time_point deadline, pid_t child) {
    sendProtocol(x, window, protocols, ping);
    for (bool answered = false; !answered;) {
        xcb_generic_event_t* event = nextEvent(x, drawing, deadline, child);
        if (!event)
            fail("the program did not answer the ping", child);
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* reply = reinterpret_cast<xcb_client_message_event_t*>(event);
            answered = reply->window == root && reply->data.data32[0] == ping &&
                       reply->data.data32[2] == window;
        }
        std::free(event);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window-watch TITLE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        fail("cannot reach the X server of $DISPLAY");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    // Windows mapped on the root, and the programs' answers to pings, which Qt sends to the
    // root for StructureNotify.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom(x, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(x, "WM_DELETE_WINDOW");
    const xcb_atom_t ping = atom(x, "_NET_WM_PING");
    const xcb_keycode_t enter = keycodeOf(x, 0xff0d); // XK_Return
    if (!enter)
        fail("the keyboard has no Enter key");
    Drawing drawing(x);
    xcb_flush(x);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (child < 0)
        fail("cannot start the program");
    const Clock::time_point deadline = start + std::chrono::seconds(30);

    // Mapped top-level windows, until the one named TITLE.
    std::vector<xcb_window_t> others;
    xcb_window_t watched = XCB_WINDOW_NONE;
    double mappedMs = 0;
    while (watched == XCB_WINDOW_NONE) {
        xcb_generic_event_t* event = nextEvent(x, drawing, deadline, child);
        if (!event)
            fail("no window of that name was mapped", child);
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect) {
                if (nameOf(x, map->window) == title) {
                    mappedMs = msSince(start);
                    watched = map->window;
                } else if (takes(x, map->window, protocols, ping)) {
                    others.push_back(map->window);
                }
            }
        }
        std::free(event);
    }

    // A user closes the window once it is drawn, and the program's other windows with it.
    const auto allDrawn = [&] {
        return drawing.drawn(watched) &&
               std::all_of(others.begin(), others.end(),
                           [&](xcb_window_t window) { return drawing.drawn(window); });
    };
    while (!allDrawn()) {
        xcb_generic_event_t* event = nextEvent(x, drawing, deadline, child);
        if (!event)
            fail("the program did not draw its windows", child);
        std::free(event);
    }
    const double drawnMs = msSince(start);
    // The program has worked through its drawing when it answers a ping sent after it.
    pingAndWait(x, drawing, root, others.empty() ? watched : others.front(), protocols, ping,
                deadline, child);
    // A dialog closes on the one or the other, as its user closes it.
    const Clock::time_point closing = Clock::now();
    sendProtocol(x, watched, protocols, deleteWindow);
    pressKey(x, root, watched, enter);
    for (bool unmapped = false; !unmapped;) {
        xcb_generic_event_t* event = nextEvent(x, drawing, deadline, child);
        if (!event)
            fail("the window did not close", child);
        unmapped = (event->response_type & 0x7f) == XCB_UNMAP_NOTIFY &&
                   reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window == watched;
        std::free(event);
    }
    double afterCloseMs = msSince(closing);
    if (!others.empty()) {
        // The ping goes out once the watched window is gone, so that it waits in the
        // program's queue behind whatever the closing set off.
        pingAndWait(x, drawing, root, others.front(), protocols, ping, deadline, child);
        afterCloseMs = msSince(closing);
        sendProtocol(x, others.front(), protocols, deleteWindow);
    }

    int status = 0;
    rusage usage{};
    while (Clock::now() < deadline && !ended(child))
        std::free(nextEvent(x, drawing, Clock::now() + std::chrono::milliseconds(20), child));
    if (!ended(child))
        fail("the program did not end when its windows were closed", child);
    wait4(child, &status, 0, &usage);
    xcb_disconnect(x);
    std::printf("%.3f %.3f %ld %.3f\n", mappedMs, afterCloseMs, usage.ru_maxrss, drawnMs);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}

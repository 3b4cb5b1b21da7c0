// uiprobe: how quickly the UI thread of a running window answers, seen from
// outside the process.
//
//   uiprobe [--title TEXT] [--samples N] [--interval MS] [--timeout MS]
//           [--wait S] [--label TEXT] [--output FILE]
//
// Finds the viewable window titled TEXT (default "ZAN-1B Steuerung") on
// $DISPLAY, waiting up to S seconds (30) for it, and sends it N (300)
// _NET_WM_PING messages INTERVAL ms (13) apart. A Qt/xcb client answers each
// on its GUI thread by sending it back to the root window
// (StructureNotify and SubstructureRedirect in Qt 6.4). Pings go out on
// schedule without waiting for earlier answers, so a UI thread that is blocked
// shows up in every sample sent meanwhile, not only in the first.
// A ping not answered within TIMEOUT ms (10000) counts as TIMEOUT.
// Output (FILE, default stdout): one line per sample, the round trip in ms, in
// the order sent; then the summary line
//   [LABEL: ]n N p50 X p95 X p99 X max X ms, unanswered K
// (nearest-rank percentiles). With --output the summary goes to stdout too.
// Exit status: 0 measured, 1 no window or X failure, 2 usage.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::string title = "ZAN-1B Steuerung";
    int samples = 300;
    double intervalMs = 13;
    double timeoutMs = 10000;
    double waitSeconds = 30;
    std::string label;
    std::string output = "-";
};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

int Usage() {
    std::fputs(
        "usage: uiprobe [--title TEXT] [--samples N] [--interval MS] [--timeout MS]\n"
        "               [--wait S] [--label TEXT] [--output FILE]\n",
        stderr);
    return 2;
}

bool Parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        char* end = nullptr;
        const double number = std::strtod(value, &end);
        const bool numeric = end != value && *end == '\0' && number > 0;
        if (arg == "--title") {
            o->title = value;
        } else if (arg == "--label") {
            o->label = value;
        } else if (arg == "--output") {
            o->output = value;
        } else if (!numeric) {
            return false;
        } else if (arg == "--samples") {
            o->samples = static_cast<int>(number);
        } else if (arg == "--interval") {
            o->intervalMs = number;
        } else if (arg == "--timeout") {
            o->timeoutMs = number;
        } else if (arg == "--wait") {
            o->waitSeconds = number;
        } else {
            return false;
        }
    }
    return o->samples > 0;
}

int OnXError(Display* display, XErrorEvent* error) {
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "uiprobe: X error: %s (the window is gone?)\n", text);
    std::exit(1);
}

std::string WindowName(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (type == utf8) return name;
    }
    char* legacy = nullptr;
    if (XFetchName(display, window, &legacy) && legacy) {
        name = legacy;
        XFree(legacy);
    }
    return name;
}

// Depth first, so it finds the client window under a window manager's frame too.
Window FindViewable(Display* display, Window parent, const std::string& title) {
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
        if (attributes.map_state != IsViewable) continue;
        if (WindowName(display, children[i]) == title) {
            found = children[i];
        } else {
            found = FindViewable(display, children[i], title);
        }
    }
    if (children) XFree(children);
    return found;
}

double Percentile(const std::vector<double>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * sorted.size()));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, &o)) return Usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("uiprobe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(OnXError);
    const Window root = DefaultRootWindow(display);
    // Qt 6.4 sends its answer to the root window for StructureNotify and
    // SubstructureRedirect; window managers expect SubstructureNotify.
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);

    const auto waitEnd = Clock::now() + std::chrono::duration<double>(o.waitSeconds);
    Window window = 0;
    while (!(window = FindViewable(display, root, o.title))) {
        if (Clock::now() >= waitEnd) {
            std::fprintf(stderr, "uiprobe: no window titled \"%s\"\n", o.title.c_str());
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    // Tags this run's pings, so late answers to an earlier run are not taken as ours.
    const long tag = static_cast<long>(getpid());
    const auto interval = std::chrono::duration<double, std::milli>(o.intervalMs);
    const auto timeout = std::chrono::duration<double, std::milli>(o.timeoutMs);

    std::vector<Clock::time_point> sent;
    std::vector<double> rtt(o.samples, -1);
    int done = 0;
    int unanswered = 0;
    const Clock::time_point start = Clock::now();
    while (done < o.samples) {
        Clock::time_point now = Clock::now();
        const int count = static_cast<int>(sent.size());
        if (count < o.samples && now >= start + count * interval) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(ping);
            event.xclient.data.l[1] = count;
            event.xclient.data.l[2] = static_cast<long>(window);
            event.xclient.data.l[3] = tag;
            XSendEvent(display, window, False, NoEventMask, &event);
            XFlush(display);
            sent.push_back(now);
        }
        while (XEventsQueued(display, QueuedAfterReading) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            now = Clock::now();
            const XClientMessageEvent& m = event.xclient;
            if (event.type != ClientMessage || m.message_type != protocols ||
                m.data.l[0] != static_cast<long>(ping) || m.data.l[3] != tag) {
                continue;
            }
            const long i = m.data.l[1];
            if (i < 0 || i >= static_cast<long>(sent.size()) || rtt[i] >= 0) continue;
            rtt[i] = Ms(now - sent[i]);
            ++done;
        }
        // The next thing due: a ping to send or the oldest answer to give up on.
        Clock::time_point due = Clock::time_point::max();
        if (static_cast<int>(sent.size()) < o.samples) {
            due = start + std::chrono::duration_cast<Clock::duration>(
                              static_cast<double>(sent.size()) * interval);
        }
        for (std::size_t i = 0; i < sent.size(); ++i) {
            if (rtt[i] >= 0) continue;
            if (now - sent[i] >= timeout) {
                rtt[i] = o.timeoutMs;
                ++done;
                ++unanswered;
            } else {
                due = std::min(due, sent[i] + std::chrono::duration_cast<Clock::duration>(timeout));
            }
        }
        if (done >= o.samples) break;
        const double waitMs = std::max(0.0, Ms(due - Clock::now()));
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::ceil(waitMs)));
    }
    XCloseDisplay(display);

    FILE* out = o.output == "-" ? stdout : std::fopen(o.output.c_str(), "w");
    if (!out) {
        std::perror(o.output.c_str());
        return 1;
    }
    for (double ms : rtt)
        std::fprintf(out, "%.3f\n", ms);
    std::vector<double> sorted = rtt;
    std::sort(sorted.begin(), sorted.end());
    char summary[256];
    std::snprintf(summary, sizeof summary,
                  "%s%sn %d p50 %.1f p95 %.1f p99 %.1f max %.1f ms, unanswered %d\n",
                  o.label.c_str(), o.label.empty() ? "" : ": ", o.samples, Percentile(sorted, 50),
                  Percentile(sorted, 95), Percentile(sorted, 99), sorted.back(), unanswered);
    std::fputs(summary, out);
    if (out != stdout) {
        std::fclose(out);
        std::fputs(summary, stdout);
    }
    return 0;
}

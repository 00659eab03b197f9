// Watches a program's window from outside, as a user or a window manager
// sees it, for bench/compare-peer.sh. Prints one line per step:
//
//   xprobe PID START_NS STEP...
//
// START_NS is when the program was started (date +%s%N). The steps:
//   open         waits for the program's window (a top-level window whose
//                _NET_WM_PID is PID), then until the program is idle; prints
//                window_ms (start to the window), ready_ms (start to the end of
//                the last busy stretch), freeze_ms (the longest time the
//                window took to answer a _NET_WM_PING) and cpu_s (the
//                program's CPU time since it started). The window gets the
//                keyboard focus; later keys go where the program puts it.
//   attach       finds the window and gives it the focus, without waiting.
//   idle         waits until the program is idle; prints busy_ms (from now)
//                and freeze_ms.
//   rss          prints the program's resident memory in mb.
//   keys:K,K...  types the keys
//                (xdotool's names: ctrl+End, alt+c, Down, Return, x), then
//                waits until the program is idle; prints busy_ms (from the
//                first key to the end of the work) and freeze_ms.
//   type:TEXT    types the text, each character a key, otherwise as keys.
//   wait:MS      pings for that long and reports the longest freeze: for a
//                dialog that opens and a program that settles.
//   clipboard    asks for the CLIPBOARD as UTF-8 text and prints ms (until
//                all of it arrived) and bytes.
//
// Busy means running for more than a tenth of a 10 ms sample, idle 300 ms
// without being busy; both are told from the program's threads' run time
// (/proc/PID/task/*/schedstat, in nanoseconds). A window is pinged every 5 ms; a ping that is not
// answered in 120 s ends the probe.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <dirent.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kPingEveryMs = 5;
constexpr long kQuietMs = 300;
constexpr long kSampleMs = 10;
constexpr long kGiveUpMs = 120000;

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Run time of the program's living threads, in nanoseconds.
long long threadsNs(int pid)
{
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR *d = opendir(dir.c_str());
    if (!d)
        return -1;
    long long sum = 0;
    while (const dirent *e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream f(dir + "/" + e->d_name + "/schedstat");
        long long ns = 0;
        if (f >> ns)
            sum += ns;
    }
    closedir(d);
    return sum;
}

// CPU seconds of the whole program since it started, ended threads included.
double cpuSeconds(int pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(f, line);
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; rest >> field; ++i) {
        if (i == 14 || i == 15)
            ticks += std::atof(field.c_str());
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

class Probe
{
public:
    Probe(int pid, long long startNs)
        : m_pid(pid)
        , m_startNs(startNs)
    {
        m_dpy = XOpenDisplay(nullptr);
        if (!m_dpy) {
            std::fprintf(stderr, "xprobe: no display\n");
            std::exit(2);
        }
        m_root = DefaultRootWindow(m_dpy);
        // Answers to pings go to the root window, for those who listen to
        // its structure or its children's.
        XSelectInput(m_dpy, m_root, StructureNotifyMask | SubstructureNotifyMask);
        m_self = XCreateSimpleWindow(m_dpy, m_root, 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(m_dpy, m_self, PropertyChangeMask);
        m_protocols = atom("WM_PROTOCOLS");
        m_ping = atom("_NET_WM_PING");
        m_pidAtom = atom("_NET_WM_PID");
    }

    ~Probe() { XCloseDisplay(m_dpy); }

    void open()
    {
        const double windowMs = attach();
        const Busy busy = watch(m_startNs);
        std::printf("open window_ms=%.0f ready_ms=%.0f freeze_ms=%.0f cpu_s=%.2f\n", windowMs,
                    busy.endMs, busy.freezeMs, cpuSeconds(m_pid));
    }

    // Finds the window and gives it the focus; returns when it was found.
    double attach()
    {
        while ((m_window = findWindow()) == 0) {
            if (sinceStartMs() > kGiveUpMs)
                fail("no window");
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        const double windowMs = sinceStartMs();
        focus();
        return windowMs;
    }

    void idle() { report("idle", watch(nowNs())); }

    void rss()
    {
        std::ifstream f("/proc/" + std::to_string(m_pid) + "/status");
        std::string key;
        long kb = 0;
        while (f >> key && key != "VmRSS:")
            f.ignore(1 << 12, '\n');
        f >> kb;
        std::printf("rss mb=%.0f\n", double(kb) / 1024);
    }

    void keys(const std::string &list, const std::string &label)
    {
        const long long at = nowNs();
        std::string key;
        std::istringstream in(list);
        while (std::getline(in, key, ','))
            press(key);
        report(label, watch(at));
    }

    void type(const std::string &text)
    {
        const long long at = nowNs();
        for (const char c : text)
            pressKeys({c == ' ' ? KeySym(XK_space) : KeySym((unsigned char)c)});
        report("type:" + text, watch(at));
    }

    void wait(long ms)
    {
        const long long at = nowNs();
        double freeze = 0;
        while ((nowNs() - at) / 1000000 < ms)
            freeze = std::max(freeze, pingMs());
        std::printf("wait:%ld freeze_ms=%.0f\n", ms, freeze);
    }

    void clipboard()
    {
        const long long at = nowNs();
        const Atom target = atom("UTF8_STRING");
        const Atom into = atom("XPROBE_CLIPBOARD");
        const Atom incr = atom("INCR");
        XConvertSelection(m_dpy, atom("CLIPBOARD"), target, into, m_self, CurrentTime);
        XFlush(m_dpy);
        XEvent e;
        nextEvent(e, [&](const XEvent &ev) { return ev.type == SelectionNotify; });
        if (e.xselection.property == None) {
            std::printf("clipboard ms=%.0f bytes=0\n", double(nowNs() - at) / 1e6);
            return;
        }
        long long bytes = 0;
        Atom type = readProperty(into, bytes);
        if (type == incr) {
            // The text comes in parts, each announced by the property's new value.
            bytes = 0;
            for (;;) {
                nextEvent(e, [&](const XEvent &ev) {
                    return ev.type == PropertyNotify && ev.xproperty.atom == into &&
                           ev.xproperty.state == PropertyNewValue;
                });
                long long part = 0;
                readProperty(into, part);
                if (part == 0)
                    break;
                bytes += part;
            }
        }
        std::printf("clipboard ms=%.0f bytes=%lld\n", double(nowNs() - at) / 1e6, bytes);
    }

private:
    struct Busy
    {
        double endMs = 0;    // from the given start to the end of the last busy stretch
        double freezeMs = 0; // the longest unanswered ping
    };

    Atom atom(const char *name) { return XInternAtom(m_dpy, name, False); }

    [[noreturn]] void fail(const char *why)
    {
        std::printf("error %s\n", why);
        std::exit(1);
    }

    double sinceStartMs() const { return double(nowNs() - m_startNs) / 1e6; }

    void report(const std::string &label, const Busy &busy)
    {
        std::printf("%s busy_ms=%.0f freeze_ms=%.0f\n", label.c_str(), busy.endMs, busy.freezeMs);
    }

    // Pings and samples the program's run time until it has been idle for
    // a while.
    Busy watch(long long fromNs)
    {
        Busy busy;
        long long lastCpu = threadsNs(m_pid);
        long long lastBusyNs = fromNs;
        long long nextSample = nowNs() + kSampleMs * 1000000;
        for (;;) {
            const double ping = pingMs();
            if (std::getenv("XPROBE_DEBUG") && ping > 40)
                std::fprintf(stderr, "ping %.0f ms ending at %.0f ms\n", ping, sinceStartMs());
            busy.freezeMs = std::max(busy.freezeMs, ping);
            const long long t = nowNs();
            if (t < nextSample) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPingEveryMs));
                continue;
            }
            nextSample = t + kSampleMs * 1000000;
            const long long cpu = threadsNs(m_pid);
            if (cpu < 0)
                fail("program ended");
            // A sample in which the program ran for more than a tenth of it.
            if (cpu - lastCpu > kSampleMs * 100000)
                lastBusyNs = t;
            lastCpu = cpu;
            if (t - lastBusyNs >= kQuietMs * 1000000)
                break;
            if ((t - fromNs) / 1000000 > kGiveUpMs)
                fail("never idle");
        }
        busy.endMs = double(lastBusyNs - fromNs) / 1e6;
        return busy;
    }

    // Milliseconds until the window answers one ping.
    double pingMs()
    {
        const long stamp = ++m_stamp;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = m_window;
        e.xclient.message_type = m_protocols;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(m_ping);
        e.xclient.data.l[1] = stamp;
        e.xclient.data.l[2] = long(m_window);
        const long long at = nowNs();
        XSendEvent(m_dpy, m_window, False, NoEventMask, &e);
        XFlush(m_dpy);
        nextEvent(e, [&](const XEvent &ev) {
            return ev.type == ClientMessage && ev.xclient.message_type == m_protocols &&
                   Atom(ev.xclient.data.l[0]) == m_ping && ev.xclient.data.l[1] == stamp;
        });
        return double(nowNs() - at) / 1e6;
    }

    template<typename Match>
    void nextEvent(XEvent &e, Match match)
    {
        const long long until = nowNs() + kGiveUpMs * 1000000LL;
        for (;;) {
            while (XPending(m_dpy)) {
                XNextEvent(m_dpy, &e);
                if (match(e))
                    return;
            }
            if (nowNs() > until)
                fail("no answer");
            pollfd p{ConnectionNumber(m_dpy), POLLIN, 0};
            poll(&p, 1, 100);
        }
    }

    // Reads and deletes the property; returns its type and its size in bytes.
    Atom readProperty(Atom property, long long &bytes)
    {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(m_dpy, m_self, property, 0, 0x7fffffff, True, AnyPropertyType, &type,
                           &format, &items, &after, &data);
        bytes = (long long)items * (format / 8);
        if (data)
            XFree(data);
        return type;
    }

    bool holdsPid(Window w)
    {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        bool match = false;
        if (XGetWindowProperty(m_dpy, w, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data && items == 1)
            match = int(*reinterpret_cast<unsigned long *>(data)) == m_pid;
        if (data)
            XFree(data);
        return match;
    }

    bool answersPings(Window w)
    {
        Atom *protocols = nullptr;
        int count = 0;
        bool ping = false;
        if (XGetWMProtocols(m_dpy, w, &protocols, &count)) {
            ping = std::find(protocols, protocols + count, m_ping) != protocols + count;
            XFree(protocols);
        }
        return ping;
    }

    // The program's shown top-level window that answers pings.
    Window findWindow()
    {
        Window rootReturn = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(m_dpy, m_root, &rootReturn, &parent, &children, &count))
            return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_dpy, children[i], &a) && a.map_state == IsViewable &&
                !a.override_redirect && holdsPid(children[i]) && answersPings(children[i]))
                found = children[i];
        }
        if (children)
            XFree(children);
        return found;
    }

    void focus()
    {
        // The program hears of the focus before the keys that follow.
        XSetInputFocus(m_dpy, m_window, RevertToParent, CurrentTime);
        XFlush(m_dpy);
    }

    // One key with its modifiers, as "ctrl+shift+End".
    void press(const std::string &combo)
    {
        std::vector<KeySym> syms;
        std::istringstream in(combo);
        std::string part;
        while (std::getline(in, part, '+')) {
            const std::string name = part == "ctrl"    ? "Control_L"
                                     : part == "shift" ? "Shift_L"
                                     : part == "alt"   ? "Alt_L"
                                                       : part;
            const KeySym sym = XStringToKeysym(name.c_str());
            if (sym == NoSymbol)
                fail("unknown key");
            syms.push_back(sym);
        }
        pressKeys(syms);
    }

    // Presses the keys in order and lets them go in reverse; a character
    // that needs Shift gets it.
    void pressKeys(const std::vector<KeySym> &syms)
    {
        std::vector<KeyCode> codes;
        for (const KeySym sym : syms) {
            const KeyCode code = XKeysymToKeycode(m_dpy, sym);
            if (!code)
                fail("unknown key");
            if (keysymAt(code, 0) != sym && keysymAt(code, 1) == sym)
                codes.push_back(XKeysymToKeycode(m_dpy, XK_Shift_L));
            codes.push_back(code);
        }
        for (KeyCode c : codes)
            XTestFakeKeyEvent(m_dpy, c, True, CurrentTime);
        for (auto c = codes.rbegin(); c != codes.rend(); ++c)
            XTestFakeKeyEvent(m_dpy, *c, False, CurrentTime);
        XFlush(m_dpy);
    }

    KeySym keysymAt(KeyCode code, int index)
    {
        int perCode = 0;
        KeySym *syms = XGetKeyboardMapping(m_dpy, code, 1, &perCode);
        const KeySym sym = index < perCode ? syms[index] : NoSymbol;
        XFree(syms);
        return sym;
    }

    int m_pid;
    long long m_startNs;
    Display *m_dpy = nullptr;
    Window m_root = 0;
    Window m_self = 0;
    Window m_window = 0;
    Atom m_protocols = 0;
    Atom m_ping = 0;
    Atom m_pidAtom = 0;
    long m_stamp = 0;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: xprobe PID START_NS open|attach STEP...\n");
        return 2;
    }
    Probe probe(std::atoi(argv[1]), std::atoll(argv[2]));
    bool opened = false;
    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        if (step == "open" || step == "attach") {
            if (step == "open")
                probe.open();
            else
                probe.attach();
            opened = true;
        } else if (!opened) {
            std::fprintf(stderr, "xprobe: open or attach comes first\n");
            return 2;
        } else if (step.rfind("keys:", 0) == 0) {
            probe.keys(step.substr(5), step);
        } else if (step.rfind("type:", 0) == 0) {
            probe.type(step.substr(5));
        } else if (step.rfind("wait:", 0) == 0) {
            probe.wait(std::atol(step.c_str() + 5));
        } else if (step == "clipboard") {
            probe.clipboard();
        } else if (step == "idle") {
            probe.idle();
        } else if (step == "rss") {
            probe.rss();
        } else {
            std::fprintf(stderr, "xprobe: unknown step %s\n", step.c_str());
            return 2;
        }
        std::fflush(stdout);
    }
    return 0;
}

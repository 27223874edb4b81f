// Sends the program's keys to the X server through XTest as fast as the server takes them, and
// says which position the keys lead to, so that a script can tell whether any was lost or
// handled twice.
//
//   lumivex_keystorm storm SEED FIRST END   keys FIRST..END-1 of the sequence SEED gives; prints
//                                            the position the keys 0..END-1 lead to from 0
//   lumivex_keystorm hold KEYSYM SECONDS     holds a key down and prints how many key presses
//                                            the server delivered for it (auto-repeat included)
//
// The keys are every key of the program's key table but Enter and Escape; a key is chosen by
// its XKB keycode, as the program reads it, whatever the layout.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kPatterns = 43;

// What a key does to the position (an unsigned byte, as the settings file keeps it).
enum class Effect { Stay, Next, Previous, PreviousWrapping, NextWrapping, Jump };

struct Key {
    const char* keysym;
    Effect effect;
    int digit = 0;
};

std::vector<Key> KeyTable() {
    std::vector<Key> keys = {
        {"Left", Effect::Next},
        {"Right", Effect::Previous},
        {"Up", Effect::Stay},
        {"Down", Effect::Stay},
        {"Prior", Effect::Stay},
        {"Next", Effect::Stay},
        {"h", Effect::Stay},
        {"KP_Add", Effect::PreviousWrapping},
        {"equal", Effect::PreviousWrapping},
        {"KP_Subtract", Effect::NextWrapping},
        {"minus", Effect::NextWrapping},
    };
    static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    static const char* const kPadDigits[] = {"KP_0", "KP_1", "KP_2", "KP_3", "KP_4",
                                             "KP_5", "KP_6", "KP_7", "KP_8", "KP_9"};
    for (int d = 0; d < 10; ++d) {
        keys.push_back({kDigits[d], Effect::Jump, d});
        keys.push_back({kPadDigits[d], Effect::Jump, d});
    }
    return keys;
}

std::uint8_t Apply(const Key& key, std::uint8_t p) {
    switch (key.effect) {
    case Effect::Next:
        return p < kPatterns - 1 ? static_cast<std::uint8_t>(p + 1) : p;
    case Effect::Previous:
        return p != 0 ? static_cast<std::uint8_t>(p - 1) : p;
    case Effect::PreviousWrapping:
        return p != 0 ? static_cast<std::uint8_t>(p - 1) : static_cast<std::uint8_t>(kPatterns - 1);
    case Effect::NextWrapping:
        return static_cast<std::uint8_t>(p + 1);
    case Effect::Jump:
        return static_cast<std::uint8_t>(std::min(key.digit, kPatterns - 1));
    case Effect::Stay:
        break;
    }
    return p;
}

// The keypad keys are sent by keycode: with Num Lock off their keysyms are KP_Home and so on.
KeyCode CodeOf(Display* display, const char* name) {
    static const struct {
        const char* name;
        KeySym off;
    } kPad[] = {{"KP_0", XK_KP_Insert}, {"KP_1", XK_KP_End},  {"KP_2", XK_KP_Down},
                {"KP_3", XK_KP_Next},   {"KP_4", XK_KP_Left}, {"KP_5", XK_KP_Begin},
                {"KP_6", XK_KP_Right},  {"KP_7", XK_KP_Home}, {"KP_8", XK_KP_Up},
                {"KP_9", XK_KP_Prior}};
    KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name));
    for (const auto& pad : kPad) {
        if (!code && std::string(name) == pad.name) {
            code = XKeysymToKeycode(display, pad.off);
        }
    }
    if (!code) {
        std::fprintf(stderr, "keystorm: no keycode for %s\n", name);
        std::exit(2);
    }
    return code;
}

Display* Open() {
    Display* display = XOpenDisplay(nullptr);
    int event, error, major, minor;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "keystorm: no X display with XTest\n");
        std::exit(2);
    }
    return display;
}

int Storm(unsigned seed, long first, long end) {
    const std::vector<Key> keys = KeyTable();
    Display* display = Open();
    std::vector<KeyCode> codes;
    for (const Key& k : keys) {
        codes.push_back(CodeOf(display, k.keysym));
    }
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, keys.size() - 1);
    std::uint8_t position = 0;
    for (long i = 0; i < end; ++i) {
        const std::size_t k = pick(random);
        position = Apply(keys[k], position);
        if (i >= first) {
            XTestFakeKeyEvent(display, codes[k], True, CurrentTime);
            XTestFakeKeyEvent(display, codes[k], False, CurrentTime);
            if (i % 64 == 0) {
                XFlush(display);
            }
        }
    }
    XSync(display, False);
    XCloseDisplay(display);
    std::printf("%d\n", position);
    return 0;
}

// Counts the key presses of one keycode the server delivers, auto-repeat included, through the
// RECORD extension on a connection of its own.
struct PressCounter {
    KeyCode code;
    long presses = 0;
};

void OnRecorded(XPointer closure, XRecordInterceptData* data) {
    auto* counter = reinterpret_cast<PressCounter*>(closure);
    if (data->category == XRecordFromServer && data->data_len > 0) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(data->data);
        if ((bytes[0] & 0x7F) == KeyPress && bytes[1] == counter->code) {
            ++counter->presses;
        }
    }
    XRecordFreeData(data);
}

int Hold(const char* keysym, double seconds) {
    Display* control = Open();
    Display* record = Open();
    int major, minor;
    if (!XRecordQueryVersion(control, &major, &minor)) {
        std::fprintf(stderr, "keystorm: the X server has no RECORD extension\n");
        return 2;
    }
    PressCounter counter{CodeOf(control, keysym)};
    XRecordRange* range = XRecordAllocRange();
    range->device_events.first = KeyPress;
    range->device_events.last = KeyRelease;
    XRecordClientSpec clients = XRecordAllClients;
    XRecordContext context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
    XSync(control, False);
    if (!context || !XRecordEnableContextAsync(record, context, OnRecorded,
                                               reinterpret_cast<XPointer>(&counter))) {
        std::fprintf(stderr, "keystorm: cannot record key events\n");
        return 2;
    }
    auto pump = [&] { XRecordProcessReplies(record); };
    Display* input = Open();
    XTestFakeKeyEvent(input, counter.code, True, CurrentTime);
    XSync(input, False);
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XTestFakeKeyEvent(input, counter.code, False, CurrentTime);
    XSync(input, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    pump();
    XRecordDisableContext(control, context);
    XSync(control, False);
    pump();
    XRecordFreeContext(control, context);
    XFree(range);
    std::printf("%ld\n", counter.presses);
    XCloseDisplay(input);
    XCloseDisplay(control);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "storm" && argc == 5) {
        return Storm(static_cast<unsigned>(std::stoul(argv[2])), std::stol(argv[3]),
                     std::stol(argv[4]));
    }
    if (mode == "hold" && argc == 4) {
        return Hold(argv[2], std::stod(argv[3]));
    }
    std::fprintf(stderr, "usage: lumivex_keystorm storm SEED FIRST END | hold KEYSYM SECONDS\n");
    return 2;
}

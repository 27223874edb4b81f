#include "x_display.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <stdexcept>
#include <thread>

namespace latency {

XDisplay::XDisplay() {
    display_ = XOpenDisplay(nullptr);
    if (!display_) {
        throw std::runtime_error("cannot connect to the X server (is DISPLAY set?)");
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display_);
        throw std::runtime_error("the X server has no XTest extension");
    }
    // Key and click events must not be held back behind a grab of someone else's.
    XTestGrabControl(display_, True);
    root_ = DefaultRootWindow(display_);
    width_ = DisplayWidth(display_, DefaultScreen(display_));
    height_ = DisplayHeight(display_, DefaultScreen(display_));
    int damageError = 0;
    if (XDamageQueryExtension(display_, &damageEventBase_, &damageError)) {
        damage_ = XDamageCreate(display_, root_, XDamageReportNonEmpty);
        XSync(display_, False);
    }
}

XDisplay::~XDisplay() {
    if (damage_) {
        XDamageDestroy(display_, damage_);
    }
    XCloseDisplay(display_);
}

std::string XDisplay::Name() const {
    return DisplayString(display_);
}

std::uint32_t XDisplay::Pixel(int x, int y) {
    XImage* image = XGetImage(display_, root_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        throw std::runtime_error("XGetImage failed");
    }
    const std::uint32_t pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(image);
    return pixel;
}

unsigned XDisplay::Keycode(const std::string& name) {
    const KeySym sym = XStringToKeysym(name.c_str());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
    if (code == 0) {
        throw std::runtime_error("no key for '" + name + "'");
    }
    return code;
}

void XDisplay::KeyDown(const std::string& name) {
    XTestFakeKeyEvent(display_, Keycode(name), True, CurrentTime);
    XFlush(display_);
}

void XDisplay::KeyUp(const std::string& name) {
    XTestFakeKeyEvent(display_, Keycode(name), False, CurrentTime);
    XFlush(display_);
}

void XDisplay::Click(int x, int y, unsigned button) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XFlush(display_);
}

bool XDisplay::WaitForFocus(std::chrono::milliseconds timeout) {
    const Clock::time_point end = Clock::now() + timeout;
    for (;;) {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display_, &focus, &revert);
        if (focus != None && focus != PointerRoot && focus != root_) {
            return true;
        }
        if (Clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void XDisplay::ResetDamage() {
    if (!damage_) {
        return;
    }
    XDamageSubtract(display_, damage_, None, None);
    XSync(display_, False);
    XEvent event;
    while (XPending(display_)) {
        XNextEvent(display_, &event);
    }
}

bool XDisplay::NextDamageEvent(Clock::time_point deadline) {
    for (;;) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damageEventBase_ + XDamageNotify) {
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()) + 1);
    }
}

bool XDisplay::WaitForDamage(std::chrono::milliseconds timeout) {
    if (!damage_) {
        return false;
    }
    const bool drawn = NextDamageEvent(Clock::now() + timeout);
    if (drawn) {
        ResetDamage();
    }
    return drawn;
}

void XDisplay::WaitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) {
    const Clock::time_point end = Clock::now() + timeout;
    while (damage_ && Clock::now() < end) {
        if (!NextDamageEvent(std::min(end, Clock::now() + quiet))) {
            return;
        }
        ResetDamage();
    }
}

} // namespace latency

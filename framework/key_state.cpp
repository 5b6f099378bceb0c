#include "framework/key_state.h"

#include <QGuiApplication>

#if defined(TORVEL_HAVE_X11)
#include <X11/XKBlib.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace framework {

#if defined(TORVEL_HAVE_X11)
namespace {
bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return false;
    }
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on != False;
}
}  // namespace
#endif

LockKeys ReadLockKeys() {
    LockKeys keys;
#if defined(TORVEL_HAVE_X11)
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (x11 != nullptr && x11->display() != nullptr) {
        Display* display = x11->display();
        keys.known = true;
        keys.caps = IndicatorOn(display, "Caps Lock");
        keys.num = IndicatorOn(display, "Num Lock");
        keys.scroll = IndicatorOn(display, "Scroll Lock");
    }
#endif
    return keys;
}

}  // namespace framework

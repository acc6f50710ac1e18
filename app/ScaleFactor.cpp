#include "ScaleFactor.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {
bool g_scaleFactorDone = false;

// "Xft.dpi" from the resource database string, 0 when absent.
double xftDpi(Display *display)
{
    const char *resources = XResourceManagerString(display);
    if (!resources)
        return 0.0;
    XrmInitialize();
    XrmDatabase db = XrmGetStringDatabase(resources);
    if (!db)
        return 0.0;
    double dpi = 0.0;
    char *type = nullptr;
    XrmValue value;
    if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
        dpi = std::atof(value.addr);
    XrmDestroyDatabase(db);
    return dpi;
}
} // namespace

ScreenWidths queryScreenWidths()
{
    ScreenWidths w;
    if (!std::getenv("DISPLAY"))
        return w;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return w;
    const int physical = DisplayWidth(display, DefaultScreen(display));
    double dpi = xftDpi(display);
    XCloseDisplay(display);
    if (physical <= 0)
        return w;
    if (dpi <= 0.0)
        dpi = 96.0;
    w.physical = physical;
    w.logical = static_cast<int>(std::lround(physical * 96.0 / dpi));
    return w;
}

QString scaleFactorText(int logical, int physical)
{
    if (logical == 0 || physical == 0)
        return QString();
    const float ratio = static_cast<float>(physical) / static_cast<float>(logical);
    return QString::number(ratio, 'g', 6);
}

void applyScaleFactor(const std::function<ScreenWidths()> &provider)
{
    if (g_scaleFactorDone)
        return;
    g_scaleFactorDone = true;
    const ScreenWidths w = provider();
    const QString text = scaleFactorText(w.logical, w.physical);
    if (text.isEmpty())
        return;
    qputenv("QT_SCALE_FACTOR", text.toUtf8());
}

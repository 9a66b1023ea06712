// WindowIdentity: WM_CLASS and _NET_WM_ICON set with Xlib on the window GLUT created.
#include "app/WindowIdentity.h"

// Before the X headers, whose None macro would clash with BmpError::None.
#include "render/BmpImage.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace windowidentity {

void announce() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    char name[] = "zorblat";
    XClassHint hint;
    hint.res_name = name;
    hint.res_class = name;
    XSetClassHint(display, window, &hint);
    if (const std::unique_ptr<BmpImage> icon = loadBmpImage(kIconPath)) {
        const std::vector<unsigned long> property = iconProperty(*icon);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(property.data()),
                        static_cast<int>(property.size()));
    }
    XFlush(display);
}

std::vector<unsigned long> iconProperty(const BmpImage& icon) {
    std::vector<unsigned long> property;
    property.reserve(2 + static_cast<size_t>(icon.sizeX) * static_cast<size_t>(icon.sizeY));
    property.push_back(static_cast<unsigned long>(icon.sizeX));
    property.push_back(static_cast<unsigned long>(icon.sizeY));
    for (int y = icon.sizeY - 1; y >= 0; --y) {
        for (int x = 0; x < icon.sizeX; ++x) {
            const uint8_t* p = icon.pixel(x, y);
            const unsigned long rgb = static_cast<unsigned long>(p[0]) << 16 |
                                      static_cast<unsigned long>(p[1]) << 8 | p[2];
            property.push_back(rgb == 0 ? 0 : 0xFF000000ul | rgb);
        }
    }
    return property;
}

}  // namespace windowidentity

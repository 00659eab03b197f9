#include "controls/AppIcon.h"

namespace appicon {

QIcon icon()
{
    // Rendered from icons/scrivlet.svg by scripts/render-icon; pixmaps need
    // no image plugin at run time.
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/scrivlet/icons/scrivlet-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace appicon

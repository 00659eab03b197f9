#include "platform/text/WinColors.h"

#include <array>

namespace wincolors {
namespace {

// The palette role that plays each Windows system colour, by its index.
constexpr std::array<QPalette::ColorRole, 31> kRoles = {
    QPalette::Window,          //  0 scroll bar
    QPalette::Dark,            //  1 desktop
    QPalette::Highlight,       //  2 active caption
    QPalette::Mid,             //  3 inactive caption
    QPalette::Button,          //  4 menu
    QPalette::Base,            //  5 window
    QPalette::Shadow,          //  6 window frame
    QPalette::WindowText,      //  7 menu text
    QPalette::Text,            //  8 window text
    QPalette::HighlightedText, //  9 caption text
    QPalette::Midlight,        // 10 active border
    QPalette::Midlight,        // 11 inactive border
    QPalette::Dark,            // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlighted text
    QPalette::Button,          // 15 button face
    QPalette::Mid,             // 16 button shadow
    QPalette::PlaceholderText, // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::WindowText,      // 19 inactive caption text
    QPalette::Light,           // 20 button highlight
    QPalette::Shadow,          // 21 3-D dark shadow
    QPalette::Midlight,        // 22 3-D light
    QPalette::ToolTipText,     // 23 tooltip text
    QPalette::ToolTipBase,     // 24 tooltip background
    QPalette::Button,          // 25 (unused index)
    QPalette::Link,            // 26 hot-tracked item
    QPalette::Highlight,       // 27 gradient active caption
    QPalette::Mid,             // 28 gradient inactive caption
    QPalette::Highlight,       // 29 menu highlight
    QPalette::Button,          // 30 menu bar
};

} // namespace

QColor toColor(quint32 ref, const QPalette &palette)
{
    if (isSystemColor(ref)) {
        const quint32 index = ref & 0xFFu;
        return index < kRoles.size() ? palette.color(QPalette::Active, kRoles[index])
                                     : palette.color(QPalette::Active, QPalette::Text);
    }
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

quint32 fromColor(const QColor &color)
{
    const QColor c = color.toRgb();
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace wincolors

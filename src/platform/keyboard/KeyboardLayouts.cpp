#include "platform/keyboard/KeyboardLayouts.h"
#include "platform/system/ServiceSlot.h"

#include "platform/keyboard/X11Display.h"
#include "platform/keyboard/X11KeyboardLayouts.h"

#include <QGuiApplication>

namespace {

class NoKeyboardLayouts : public KeyboardLayouts
{
public:
    QString activeLayout() override { return {}; }
    bool activateLayout(const QString &) override { return false; }
};

struct LayoutName
{
    const char *xkb;
    const char *windows;
};

// Windows keyboard layout identifiers of the XKB layouts that have one.
constexpr LayoutName kLayoutNames[] = {
    {"us", "00000409"},    {"gb", "00000409"}, {"au", "00000409"}, {"ie", "00000409"},
    {"nz", "00000409"},    {"za", "00000409"}, {"bg", "00000402"}, {"cz", "00000405"},
    {"dk", "00000406"},    {"de", "00000407"}, {"gr", "00000408"}, {"es", "0000040A"},
    {"fi", "0000040B"},    {"fr", "0000040C"}, {"il", "0000040D"}, {"hu", "0000040E"},
    {"is", "0000040F"},    {"it", "00000410"}, {"jp", "00000411"}, {"kr", "00000412"},
    {"nl", "00000413"},    {"no", "00000414"}, {"pl", "00000415"}, {"br", "00000416"},
    {"ro", "00000418"},    {"ru", "00000419"}, {"hr", "0000041A"}, {"sk", "0000041B"},
    {"al", "0000041C"},    {"se", "0000041D"}, {"th", "0000041E"}, {"tr", "0000041F"},
    {"pk", "00000420"},    {"ua", "00000422"}, {"by", "00000423"}, {"si", "00000424"},
    {"ee", "00000425"},    {"lv", "00000426"}, {"lt", "00000427"}, {"ir", "00000429"},
    {"vn", "0000042A"},    {"am", "0000042B"}, {"az", "0000042C"}, {"mk", "0000042F"},
    {"ge", "00000437"},    {"fo", "00000438"}, {"mt", "0000043A"}, {"kz", "0000043F"},
    {"kg", "00000440"},    {"uz", "00000843"}, {"mn", "00000450"}, {"ch", "00000807"},
    {"latam", "0000080A"}, {"be", "0000080C"}, {"pt", "00000816"}, {"rs", "00000C1A"},
    {"ca", "00001009"},    {"ba", "0000141A"}, {"cn", "00000804"}, {"tw", "00000404"},
};

ServiceSlot<KeyboardLayouts> &slot()
{
    static ServiceSlot<KeyboardLayouts> s(createKeyboardLayouts);
    return s;
}

} // namespace

KeyboardLayouts &keyboardLayouts()
{
    return slot().get();
}

void installKeyboardLayouts(KeyboardLayouts *layouts)
{
    slot().install(layouts);
}

std::unique_ptr<KeyboardLayouts> createKeyboardLayouts()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto layouts = X11KeyboardLayouts::open(x11::applicationDisplayName()))
            return layouts;
    }
    return std::make_unique<NoKeyboardLayouts>();
}

QString windowsLayoutName(const QString &xkbLayout)
{
    const QString layout = xkbLayout.section(QLatin1Char('('), 0, 0).trimmed();
    for (const LayoutName &name : kLayoutNames) {
        if (layout == QLatin1String(name.xkb))
            return QLatin1String(name.windows);
    }
    return layout;
}

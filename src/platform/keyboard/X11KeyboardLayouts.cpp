#include "platform/keyboard/X11KeyboardLayouts.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The layouts of the groups as the keymap's rules were given them: the third
// of the NUL-separated strings rules, model, layout, variant and options on
// the root window, for example "us,ru".
QStringList layoutsFromRules(Display *display)
{
    const Atom property = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    const int status =
        XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING,
                           &type, &format, &items, &remaining, &data);
    QStringList layouts;
    if (status == Success && data && format == 8) {
        const QList<QByteArray> fields =
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(items)).split('\0');
        if (fields.size() > 2 && !fields.at(2).isEmpty())
            layouts = QString::fromLatin1(fields.at(2)).split(QLatin1Char(','));
    }
    if (data)
        XFree(data);
    return layouts;
}

// Without the rules, the layouts are read from the keymap's symbols name,
// for example "pc+us+ru:2+inet(evdev)": the parts that name a known layout,
// each in the group its ":n" gives (the first group when it has none).
QStringList layoutsFromSymbols(Display *display)
{
    XkbDescPtr xkb = XkbGetKeyboard(display, XkbNamesMask, XkbUseCoreKbd);
    if (!xkb)
        return {};
    QStringList layouts;
    if (xkb->names && xkb->names->symbols != None) {
        char *name = XGetAtomName(display, xkb->names->symbols);
        const QStringList parts = QString::fromLatin1(name).split(QLatin1Char('+'));
        XFree(name);
        for (const QString &part : parts) {
            const QString layout = part.section(QLatin1Char(':'), 0, 0);
            const int group = qMax(1, part.section(QLatin1Char(':'), 1).toInt());
            // Parts such as "pc" and "inet" are no layouts; they are told
            // apart by having no Windows name.
            if (windowsLayoutName(layout) == layout.section(QLatin1Char('('), 0, 0))
                continue;
            while (layouts.size() < group)
                layouts.append(QString());
            if (layouts[group - 1].isEmpty())
                layouts[group - 1] = layout;
        }
    }
    XkbFreeKeyboard(xkb, XkbAllComponentsMask, True);
    return layouts;
}

} // namespace

std::unique_ptr<X11KeyboardLayouts> X11KeyboardLayouts::open(const QByteArray &displayName)
{
    x11::DisplayPtr display = x11::openXkbDisplay(displayName);
    if (!display)
        return nullptr;
    return std::unique_ptr<X11KeyboardLayouts>(new X11KeyboardLayouts(std::move(display)));
}

X11KeyboardLayouts::X11KeyboardLayouts(x11::DisplayPtr display)
    : m_display(std::move(display))
{}

QStringList X11KeyboardLayouts::groupLayouts() const
{
    QStringList layouts = layoutsFromRules(m_display.get());
    if (layouts.isEmpty())
        layouts = layoutsFromSymbols(m_display.get());
    return layouts;
}

int X11KeyboardLayouts::activeGroup() const
{
    XkbStateRec state{};
    XkbGetState(m_display.get(), XkbUseCoreKbd, &state);
    return state.group;
}

QString X11KeyboardLayouts::activeLayout()
{
    const QStringList layouts = groupLayouts();
    const int group = activeGroup();
    return group < layouts.size() ? windowsLayoutName(layouts.at(group)) : QString();
}

bool X11KeyboardLayouts::activateLayout(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QStringList layouts = groupLayouts();
    const int active = activeGroup();
    // Several groups may share a name (two English layouts): the active one
    // is kept rather than switching between them.
    if (active < layouts.size() && windowsLayoutName(layouts.at(active)) == name)
        return true;
    for (int group = 0; group < layouts.size() && group < XkbNumKbdGroups; ++group) {
        if (!layouts.at(group).isEmpty() && windowsLayoutName(layouts.at(group)) == name) {
            XkbLockGroup(m_display.get(), XkbUseCoreKbd, unsigned(group));
            XSync(m_display.get(), False);
            return true;
        }
    }
    return false;
}

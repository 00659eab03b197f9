#include "controls/URLLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TURLLabel::TURLLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    m_hiFont.font = QFont();
    m_hiFont.font.setUnderline(true);
    m_hiFont.color = QColor(0x00, 0x00, 0x80); // navy
}

void TURLLabel::setHiFont(const Font &font)
{
    m_hiFont = font;
    if (m_hot)
        showFont(m_hiFont);
}

TURLLabel::Font TURLLabel::shownFont() const
{
    return {font(), palette().color(foregroundRole())};
}

void TURLLabel::showFont(const Font &shown)
{
    setFont(shown.font);
    QPalette colours = palette();
    colours.setColor(foregroundRole(), shown.color);
    setPalette(colours);
    adjustSize(); // a label takes the size of its text
    repaint();
}

void TURLLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (m_hot)
        return;
    m_savedFont = shownFont();
    m_hot = true;
    showFont(m_hiFont);
}

void TURLLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!m_hot)
        return;
    m_hot = false;
    showFont(m_savedFont);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    openUrl();
    Q_EMIT clicked();
}

// A failure is not reported: the desktop's opener says what went wrong, if
// anything does.
void TURLLabel::openUrl() const
{
    if (m_url.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromUserInput(m_url));
}

#include "editor/Ruler.h"

#include "platform/richedit/TRichEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QTextOption>

#include <algorithm>

namespace {

// The room the text keeps from the window's left and right edges.
constexpr int kGutter = 6;
constexpr int kTwipsPerPoint = 20;
// The scale's tab stops, in average character widths of its font.
constexpr int kTabStopChars = 8;
// What an arrow key moves a marker by: 4 pixels, 3 points.
constexpr int kKeyStepPoints = 3;

// A marker: an arrow painted in the ruler's text colour, dark on a light
// desktop and light on a dark one. The keyboard reaches it by Tab (see
// IndentRuler), the mouse only drags it.
class RulerMarker : public QWidget
{
public:
    enum class Shape { Down, Up, OutlinedUp };

    RulerMarker(Shape shape, const QRect &geometry, const QString &name, QWidget *parent)
        : QWidget(parent)
        , m_shape(shape)
    {
        setGeometry(geometry);
        setAccessibleName(name);
        setFocusPolicy(Qt::TabFocus);
        // Moves arrive with or without a button, as the marker's own
        // drag state decides what they do.
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QColor ink = palette().color(QPalette::WindowText);
        if (hasFocus())
            p.fillRect(rect(), palette().color(QPalette::Highlight));
        p.setPen(hasFocus() ? palette().color(QPalette::HighlightedText) : ink);
        p.setBrush(m_shape == Shape::OutlinedUp ? palette().color(QPalette::Window)
                                                : p.pen().color());
        p.drawPolygon(arrow());
    }

private:
    // A block arrow as wide as the marker, its point on the ruler's line.
    QPolygon arrow() const
    {
        const int w = width() - 1;
        const int mid = w / 2;
        const int shaft = w / 3;
        switch (m_shape) {
        case Shape::Down:
            return QPolygon({QPoint(mid - shaft / 2, 0), QPoint(mid + shaft / 2, 0),
                             QPoint(mid + shaft / 2, 5), QPoint(w, 5), QPoint(mid, 11),
                             QPoint(0, 5), QPoint(mid - shaft / 2, 5)});
        case Shape::Up:
        case Shape::OutlinedUp:
            break;
        }
        return QPolygon({QPoint(mid, 0), QPoint(w, 6), QPoint(mid + shaft / 2, 6),
                         QPoint(mid + shaft / 2, 11), QPoint(mid - shaft / 2, 11),
                         QPoint(mid - shaft / 2, 6), QPoint(0, 6)});
    }

    Shape m_shape;
};

} // namespace

IndentRuler::IndentRuler(TRichEdit *editor, QWidget *parent)
    : QFrame(parent)
    , m_editor(editor)
{
    setFixedHeight(29);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setContentsMargins(1, 1, 1, 1);
    QFont scaleFont(QStringLiteral("Arial"));
    scaleFont.setPixelSize(15);
    setFont(scaleFont);
    setAccessibleName(tr("Ruler"));

    RulerLine = new QFrame(this);
    RulerLine->setObjectName(QStringLiteral("RulerLine"));
    RulerLine->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    RulerLine->setGeometry(5, 15, 713, 2);

    using Shape = RulerMarker::Shape;
    FirstInd = new RulerMarker(Shape::Down, QRect(2, 2, 13, 12), tr("First line indent"), this);
    LeftInd = new RulerMarker(Shape::Up, QRect(2, 15, 13, 13), tr("Left indent"), this);
    RightInd = new RulerMarker(Shape::OutlinedUp, QRect(708, 17, 12, 16), tr("Right indent"), this);
    FirstInd->setObjectName(QStringLiteral("FirstInd"));
    LeftInd->setObjectName(QStringLiteral("LeftInd"));
    RightInd->setObjectName(QStringLiteral("RightInd"));
    for (QWidget *marker : {FirstInd, LeftInd, RightInd})
        marker->installEventFilter(this);
}

void IndentRuler::SetRulerScale()
{
    m_scale = QStringLiteral("\t|").repeated(100);
    update();
}

void IndentRuler::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    // The default tab stops, whatever the document's own are.
    option.setTabStopDistance(kTabStopChars * fontMetrics().averageCharWidth());
    p.drawText(contentsRect(), m_scale, option);
}

// Placing -----------------------------------------------------------------------

void IndentRuler::placeMarkers()
{
    const ParaAttributes para = m_editor->paragraph();
    const int first = para.firstIndent / kTwipsPerPoint;
    const int left = para.leftIndent / kTwipsPerPoint;
    const int right = para.rightIndent / kTwipsPerPoint;
    FirstInd->move(first * 4 / 3 - 4 + kGutter, FirstInd->y());
    LeftInd->move((left + first) * 4 / 3 - 4 + kGutter, LeftInd->y());
    RightInd->move((width() - kGutter) - (right + kGutter) * 4 / 3, RightInd->y());
}

// Dragging ----------------------------------------------------------------------

void IndentRuler::RulerItemMouseDown(QWidget *marker, int x)
{
    FMarkerGrabOffset = marker->width() / 2;
    marker->move(marker->x() + x - FMarkerGrabOffset, marker->y());
    FDraggingMarker = true;
}

void IndentRuler::RulerItemMouseMove(QWidget *marker, int x)
{
    if (FDraggingMarker)
        marker->move(marker->x() + x - FMarkerGrabOffset, marker->y());
}

int IndentRuler::pointsAt(const QWidget *marker) const
{
    return (marker->x() + FMarkerGrabOffset - kGutter) * 3 / 4;
}

// A marker may be dragged anywhere, but an indent that starts the text left
// of its margin or beyond the ruler's end would hide the text and leave the
// marker out of reach: such a drop writes the nearest indent the ruler shows.
int IndentRuler::withinRuler(int points) const
{
    return std::clamp(points, 0, std::max(0, (width() - 2 * kGutter) * 3 / 4));
}

void IndentRuler::FirstIndMouseUp()
{
    ParaAttributes para;
    para.firstIndent = withinRuler(pointsAt(FirstInd)) * kTwipsPerPoint;
    m_editor->setParagraph(para, ParaField::FirstIndent);
    // The other lines stay where their marker stands.
    LeftIndMouseUp();
}

void IndentRuler::LeftIndMouseUp()
{
    const int first = m_editor->paragraph().firstIndent / kTwipsPerPoint;
    ParaAttributes para;
    para.leftIndent = (withinRuler(pointsAt(LeftInd)) - first) * kTwipsPerPoint;
    m_editor->setParagraph(para, ParaField::LeftIndent);
    Q_EMIT markerDropped();
}

// Reading a marker back is no exact inverse of placing it: a click without
// a move may shift an indent by a point or two.
void IndentRuler::RightIndMouseUp()
{
    const int right = (width() - RightInd->x() + FMarkerGrabOffset - 2) * 3 / 4 - 12;
    ParaAttributes para;
    para.rightIndent = withinRuler(right) * kTwipsPerPoint;
    m_editor->setParagraph(para, ParaField::RightIndent);
    Q_EMIT markerDropped();
}

void IndentRuler::mouseUp(QWidget *marker)
{
    FDraggingMarker = false;
    if (marker == FirstInd)
        FirstIndMouseUp();
    else if (marker == LeftInd)
        LeftIndMouseUp();
    else
        RightIndMouseUp();
}

// The indents stand in points: a step moves the marker's indent by whole
// points, as a drag to the marker's new place would write it without the
// point or two a drag's reading adds. The first line's marker keeps the
// other lines where they are, as its drag does.
void IndentRuler::stepMarker(QWidget *marker, int direction)
{
    const ParaAttributes now = m_editor->paragraph();
    const int step = direction * kKeyStepPoints * kTwipsPerPoint;
    ParaAttributes para;
    ParaFields fields;
    if (marker == RightInd) {
        para.rightIndent = withinRuler((now.rightIndent - step) / kTwipsPerPoint) * kTwipsPerPoint;
        fields = ParaField::RightIndent;
    } else if (marker == LeftInd) {
        const int others = withinRuler((now.firstIndent + now.leftIndent + step) / kTwipsPerPoint);
        para.leftIndent = others * kTwipsPerPoint - now.firstIndent;
        fields = ParaField::LeftIndent;
    } else {
        para.firstIndent = withinRuler((now.firstIndent + step) / kTwipsPerPoint) * kTwipsPerPoint;
        para.leftIndent = now.firstIndent + now.leftIndent - para.firstIndent;
        fields = ParaFields(ParaField::FirstIndent) | ParaField::LeftIndent;
    }
    m_editor->setParagraph(para, fields);
    Q_EMIT markerDropped();
}

bool IndentRuler::eventFilter(QObject *watched, QEvent *event)
{
    auto *marker = qobject_cast<QWidget *>(watched);
    const auto x = [event] { return int(static_cast<QMouseEvent *>(event)->position().x()); };
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            stepMarker(marker, key == Qt::Key_Right ? 1 : -1);
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_editor->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        RulerItemMouseDown(marker, x());
        return true;
    case QEvent::MouseMove:
        RulerItemMouseMove(marker, x());
        return true;
    case QEvent::MouseButtonRelease:
        mouseUp(marker);
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
}

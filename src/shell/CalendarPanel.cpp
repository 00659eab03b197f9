#include "shell/CalendarPanel.h"

#include "controls/Abcexctl.h"
#include "controls/MonthCalendar.h"
#include "controls/PageControl.h"
#include "controls/TransBtn.h"
#include "platform/system/AccessibleNames.h"

#include <QSpinBox>

#include <limits>

namespace {

constexpr int kClockHeight = 26;
constexpr int kTabsHeight = 30;
constexpr int kMinYearBoxWidth = 55;
constexpr quint16 kClockInterval = 1000;

} // namespace

CalendarPanel::CalendarPanel(QWidget *parent, const ClockSource &clock)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    createControls(clock);
    CBoxYear->setValue(Calendar1->year());
}

void CalendarPanel::createControls(const ClockSource &clock)
{
    createClockRow(clock);

    PageControl2 = new PageControl(this);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    accessiblenames::setName(PageControl2, tr("Month"));
    for (const QString &month :
         {tr("January"), tr("February"), tr("March"), tr("April"), tr("May"), tr("June"),
          tr("July"), tr("August"), tr("September"), tr("October"), tr("November"), tr("December")})
        PageControl2->addPage(month, 0);
    connect(PageControl2, &QTabBar::currentChanged, this, [this] { PageControl2Change(); });

    Calendar1 = new MonthCalendar(this, clock);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setAccessibleName(tr("Calendar"));
    // Whatever moves the calendar to another month, the tabs and the year
    // box follow.
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, [this] { showCalendarMonth(); });
}

// The button and the year box lie over the clock label, so they come after it.
void CalendarPanel::createClockRow(const ClockSource &clock)
{
    ClockLabel1 = new TClockLabel(this, clock);
    ClockLabel1->setObjectName(QStringLiteral("ClockLabel1"));
    ClockLabel1->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(23);
    font.setBold(true);
    ClockLabel1->setFont(font);
    QPalette green = ClockLabel1->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    ClockLabel1->setPalette(green);
    ClockLabel1->setFormat(QStringLiteral("tt"));
    ClockLabel1->setInterval(kClockInterval);

    TButton = new TTransparentButton(this);
    TButton->setObjectName(QStringLiteral("TButton"));
    const QString hint = tr("Current Date Button ");
    TButton->setToolTip(hint);
    TButton->setAccessibleName(hint.trimmed());
    connect(TButton, &TTransparentButton::clicked, this, [this] { TButtonClick(); });

    CBoxYear = new QSpinBox(this);
    CBoxYear->setObjectName(QStringLiteral("CBoxYear"));
    CBoxYear->setAccessibleName(tr("Year"));
    // No practical limit: a year the calendar cannot show is ignored there.
    CBoxYear->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    connect(CBoxYear, &QSpinBox::valueChanged, this, [this] { CBoxYearChange(); });
}

void CalendarPanel::setClock(const ClockSource &clock)
{
    ClockLabel1->setClock(clock);
    Calendar1->setClock(clock);
}

void CalendarPanel::backToToday()
{
    Calendar1->setUseCurrentDate(true);
    showCalendarMonth();
}

void CalendarPanel::showCalendarMonth()
{
    CBoxYear->setValue(Calendar1->year());
    PageControl2->setActivePage(Calendar1->month() - 1);
}

void CalendarPanel::PageControl2Change()
{
    const int m = PageControl2->currentIndex() + 1;
    try {
        Calendar1->setMonth(m);
    } catch (const ConversionError &) {
        // The day is not in that month (the 31st and April): the tab's day
        // goes first, so that the tab and the calendar show the same month.
        Calendar1->setDay(m);
        Calendar1->setMonth(m);
    }
    Calendar1->setDay(m);
}

void CalendarPanel::CBoxYearChange()
{
    try {
        Calendar1->setYear(CBoxYear->value());
    } catch (const ConversionError &) {
        // The day and month do not exist in that year: the date stays.
    } catch (...) {
        Calendar1->setUseCurrentDate(true);
        CBoxYear->setValue(Calendar1->year());
    }
}

void CalendarPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    alignRows();
    Panel1Resize();
}

void CalendarPanel::alignRows()
{
    const int rowsHeight = kClockHeight + kTabsHeight;
    ClockLabel1->setGeometry(0, 0, width(), kClockHeight);
    PageControl2->setGeometry(0, kClockHeight, width(), kTabsHeight);
    Calendar1->setGeometry(0, rowsHeight, width(), std::max(0, height() - rowsHeight));
}

void CalendarPanel::Panel1Resize()
{
    CBoxYear->resize(std::max(ClockLabel1->width() / 10, kMinYearBoxWidth), ClockLabel1->height());
    TButton->resize(ClockLabel1->width() - CBoxYear->width(), ClockLabel1->height());
    CBoxYear->move(TButton->x() + TButton->width(), TButton->y());
}

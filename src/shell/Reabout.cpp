#include "shell/Reabout.h"

#include "controls/AppIcon.h"
#include "controls/URLLabel.h"
#include "platform/system/MemoryStatus.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The size the box keeps at least; it grows when its texts need more.
constexpr QSize kClientSize(345, 284);

QFont pixelFont(const QFont &base, int pixels, bool bold = false)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About Scrivlet"));
    setFont(pixelFont(QFont(QStringLiteral("MS Sans Serif")), 14));
    createControls();
    FormCreate();
    setFixedSize(sizeHint().expandedTo(kClientSize));
}

void TAboutBox::createControls()
{
    Label2 = label(this, "Label2", tr("Free to use and to give to friends."));
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    // Closing the box is all it does: OK cancels, as Escape does.
    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setFixedSize(93, 31);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 7);
    layout->addWidget(createHeader());
    layout->addWidget(createLinks());
    layout->addWidget(Label2);
    layout->addWidget(Bevel1);
    layout->addLayout(createMemoryRows());
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    OKButton->setFocus();
}

QWidget *TAboutBox::createHeader()
{
    auto *header = new QWidget(this);
    ProgramIcon = label(header, "ProgramIcon", QString());
    ProgramIcon->setPixmap(appicon::icon().pixmap(39, 39));
    ProgramIcon->setAccessibleName(tr("Scrivlet"));
    Label5 = label(header, "Label5", tr("Scrivlet ver.1.9.2"));
    Label5->setFont(pixelFont(font(), 20, true));
    Label1 = label(header, "Label1", tr("Designed and written by Brenmoor"));
    Label1->setFont(pixelFont(font(), 17, true));

    auto *titles = new QVBoxLayout;
    titles->addWidget(Label5);
    titles->addWidget(Label1);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(10, 0, 0, 0);
    row->addWidget(ProgramIcon, 0, Qt::AlignTop);
    row->addLayout(titles, 1);
    return header;
}

QFrame *TAboutBox::createLinks()
{
    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1 = label(Bevel2, "StaticText1", tr("Welcome to my home page"));
    URLLabel1 = createLink(projectlinks::kHomePage, projectlinks::kHomePage);
    URLLabel1->setObjectName(QStringLiteral("URLLabel1"));
    StaticText2 = label(Bevel2, "StaticText2", tr("Send me e-mail"));
    URLLabel2 = createLink(projectlinks::kMailAddress,
                           QStringLiteral("mailto:") + projectlinks::kMailAddress);
    URLLabel2->setObjectName(QStringLiteral("URLLabel2"));

    auto *grid = new QGridLayout(Bevel2);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(20);
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(URLLabel1, 0, 1);
    grid->addWidget(StaticText2, 1, 0);
    grid->addWidget(URLLabel2, 1, 1);
    grid->setColumnStretch(1, 1);
    return Bevel2;
}

// Navy while at rest; small, lime and underlined while the mouse is over it.
TURLLabel *TAboutBox::createLink(const QString &caption, const QString &url)
{
    auto *link = new TURLLabel(Bevel2);
    link->setText(caption);
    link->setUrl(url);
    link->setFont(pixelFont(font(), 15));
    QPalette colours = link->palette();
    colours.setColor(link->foregroundRole(), QColor(0x00, 0x00, 0x80));
    link->setPalette(colours);
    QFont hot = pixelFont(font(), 11);
    hot.setUnderline(true);
    link->setHiFont({hot, QColor(0x00, 0xFF, 0x00)});
    return link;
}

QLayout *TAboutBox::createMemoryRows()
{
    Label3 = label(this, "Label3", tr("Physical Memory Available to Windows:"));
    PhysMem = label(this, "PhysMem", QStringLiteral("0"));
    Label4 = label(this, "Label4", tr("Memory in Use:"));
    FreeRes = label(this, "FreeRes", QStringLiteral("0"));
    auto *grid = new QGridLayout;
    grid->setContentsMargins(21, 0, 0, 0);
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(PhysMem, 0, 1);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(FreeRes, 1, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

// A figure the system cannot tell keeps its "0".
void TAboutBox::FormCreate()
{
    const memorystatus::Physical memory = memorystatus::physical();
    if (memory.totalBytes >= 0)
        PhysMem->setText(QLocale().toString(qRound64(double(memory.totalBytes) / 1024.0)) +
                         tr(" KB"));
    if (memory.loadPercent >= 0)
        FreeRes->setText(tr("%1 %").arg(memory.loadPercent));
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TAboutBox::FormShow()
{
    SetFormPosition();
}

// Over the middle of the frame wherever it is, even partly off the screen.
void TAboutBox::SetFormPosition()
{
    if (!parentWidget())
        return;
    const QRect frame = parentWidget()->window()->frameGeometry();
    const QSize box = frameGeometry().size();
    move(frame.left() + (frame.width() - box.width()) / 2,
         frame.top() + (frame.height() - box.height()) / 2);
}

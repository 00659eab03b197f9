#include "editor/Formatting.h"

#include "controls/ActionTable.h"
#include "controls/Hints.h"
#include "controls/ToolbarImages.h"
#include "controls/UpDown.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/Prompts.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFontNameWidth = 133;
// The box shows a face name this long whole.
const QString kLongFaceName = QStringLiteral("DejaVu Sans Mono");
// The size box and its arrows together.
constexpr int kFontSizeWidth = 184;
constexpr int kGapWidth = 8;
// What an empty or unreadable size box stands for.
constexpr int kFallbackSize = 8;

// A blank space between toolbar controls.
void addGap(QToolBar *bar, const char *name)
{
    auto *gap = new QWidget(bar);
    gap->setObjectName(QLatin1String(name));
    gap->setFixedWidth(kGapWidth);
    bar->addWidget(gap);
}

// The width of an editable combo box that shows the text whole.
int widthFor(const QComboBox &box, const QString &text)
{
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    const QFontMetrics metrics = box.fontMetrics();
    const QSize content(metrics.horizontalAdvance(text), metrics.height());
    return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, &box).width();
}

// The face text in this font is drawn with: the face itself where it is
// installed, else the one the system puts in its place.
QString shownFace(const QString &face)
{
    if (face.isEmpty() || QFontDatabase::hasFamily(face))
        return face;
    return QFontInfo(QFont(face)).family();
}

// The control's own font, as the font dialog takes it.
CharAttributes attributesOf(const QWidget &widget)
{
    const QFont font = widget.font();
    CharAttributes attrs;
    attrs.name = font.family();
    attrs.size = font.pointSize() > 0
                     ? font.pointSize()
                     : int(std::lround(font.pixelSize() * 72.0 / widget.logicalDpiY()));
    attrs.style = textformat::styleOf(font);
    return attrs;
}

} // namespace

Formatting::Formatting(TRichEdit *editor, QWidget *form)
    : QObject(form)
    , m_editor(editor)
{
    createCharacterMenu(form);
}

void Formatting::createCharacterMenu(QWidget *form)
{
    Character1 = new QMenu(tr("Ch&aracter"), form);
    Character1->setObjectName(QStringLiteral("Character1"));
    // clang-format off
    actions::addTo(Character1, {
        {.slot = &Left1, .name = "Left1", .caption = tr("&Left"),
         .handler = [this] { AlignClick(Left1); }, .checkable = true, .checked = true},
        {.slot = &Center1, .name = "Center1", .caption = tr("&Center"),
         .handler = [this] { AlignClick(Center1); }, .checkable = true},
        {.slot = &Right1, .name = "Right1", .caption = tr("&Right"),
         .handler = [this] { AlignClick(Right1); }, .checkable = true},
        {.name = "N4", .caption = QStringLiteral("-")},
        {.slot = &Wordwrap1, .name = "Wordwrap1", .caption = tr("&Word wrap"),
         .handler = [this] { Wordwrap1Click(); }, .checkable = true, .checked = true},
        {.name = "N5", .caption = QStringLiteral("-")},
        {.slot = &Font1, .name = "Font1", .caption = tr("&Font..."),
         .handler = [this] { Font1Click(); }},
    });
    // clang-format on
    Left1->setData(int(Alignment::Left));
    Center1->setData(int(Alignment::Center));
    Right1->setData(int(Alignment::Right));
}

void Formatting::addTo(QToolBar *bar)
{
    addGap(bar, "ToolButton10");
    createFontBoxes(bar);
    bar->addWidget(FontName);
    addGap(bar, "ToolButton11");
    bar->addWidget(FontSize);
    bar->addWidget(UpDown1);

    m_alignGroup = new QActionGroup(this);
    // clang-format off
    actions::addTo(bar, {
        {.slot = &BoldButton, .name = "BoldButton",
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_B), .hint = tr("Bold"), .glyph = toolbarimages::Bold,
         .handler = [this] { styleButtonClick(BoldButton, fontstyle::Bold); },
         .checkable = true},
        {.slot = &ItalicButton, .name = "ItalicButton",
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_I), .hint = tr("Italic"), .glyph = toolbarimages::Italic,
         .handler = [this] { styleButtonClick(ItalicButton, fontstyle::Italic); },
         .checkable = true},
        {.slot = &UnderlineButton, .name = "UnderlineButton",
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_U), .hint = tr("Underline"), .glyph = toolbarimages::Underline,
         .handler = [this] { styleButtonClick(UnderlineButton, fontstyle::Underline); },
         .checkable = true},
        {.name = "ToolButton16", .caption = QStringLiteral("-")},
        {.slot = &LeftAlign, .name = "LeftAlign", .hint = tr("Align Left"),
         .glyph = toolbarimages::AlignLeft,
         .handler = [this] { alignButtonClick(LeftAlign); }, .group = m_alignGroup},
        {.slot = &CenterAlign, .name = "CenterAlign", .hint = tr("Center"),
         .glyph = toolbarimages::Center,
         .handler = [this] { alignButtonClick(CenterAlign); }, .group = m_alignGroup},
        {.slot = &RightAlign, .name = "RightAlign", .hint = tr("Align Right"),
         .glyph = toolbarimages::AlignRight,
         .handler = [this] { alignButtonClick(RightAlign); }, .group = m_alignGroup},
        {.name = "ToolButton20", .caption = QStringLiteral("-")},
        {.slot = &BulletsButton, .name = "BulletsButton", .caption = tr("&Bullets"),
         .hint = tr("Bullets|Enter bullet mode"), .glyph = toolbarimages::Bullets,
         .handler = [this] { BulletsButtonClick(); }, .checkable = true},
    });
    // clang-format on
    // The buttons' Tags: the alignment each one sets.
    LeftAlign->setData(int(Alignment::Left));
    CenterAlign->setData(int(Alignment::Center));
    RightAlign->setData(int(Alignment::Right));
    // Bullets without the mouse: the button's command in the menu too.
    Character1->addSeparator()->setObjectName(QStringLiteral("N12"));
    Character1->addAction(BulletsButton);
}

void Formatting::createFontBoxes(QWidget *parent)
{
    FontName = new QComboBox(parent);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setEditable(true);
    // A typed name picks a face; it does not become one of the list's.
    FontName->setInsertPolicy(QComboBox::NoInsert);
    FontName->setFixedWidth(std::max(kFontNameWidth, widthFor(*FontName, kLongFaceName)));
    FontName->setFocusPolicy(Qt::ClickFocus);
    hints::setHint(FontName, tr("Font Name|Select font name"));
    // A face is chosen from the list, or typed and confirmed with Enter:
    // a name half typed is no choice, and the keys after it stay in the box.
    connect(FontName, &QComboBox::activated, this, [this] { FontNameChange(); });
    connect(FontName->lineEdit(), &QLineEdit::returnPressed, this, [this] { FontNameChange(); });

    FontSize = new QLineEdit(parent);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setFocusPolicy(Qt::ClickFocus);
    hints::setHint(FontSize, tr("Font Size|Select font size"));
    UpDown1 = new UpDown(FontSize, 0, 100, parent);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    FontSize->setFixedWidth(kFontSizeWidth - UpDown1->width());
    connect(FontSize, &QLineEdit::textChanged, this, [this] { FontSizeChange(); });
    connect(FontSize, &QLineEdit::returnPressed, this, [this] { FontSizeKeyPress(); });
}

void Formatting::FillFontList()
{
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    // Filling the list is no choice of a face.
    const QSignalBlocker quiet(FontName);
    FontName->addItems(families);
}

// Showing the caret's attributes ----------------------------------------------------

void Formatting::showCaretAttributes()
{
    const CharAttributes attrs = m_editor->selAttributes();
    BoldButton->setChecked(attrs.style & fontstyle::Bold);
    ItalicButton->setChecked(attrs.style & fontstyle::Italic);
    UnderlineButton->setChecked(attrs.style & fontstyle::Underline);
    const ParaAttributes para = m_editor->paragraph();
    BulletsButton->setChecked(para.numbering == Numbering::Bullet);
    FontSize->setText(QString::number(attrs.size));
    FontName->setEditText(shownFace(attrs.name));
    // A justified paragraph presses none of the three.
    pressAlignment(buttonFor(para.alignment));
}

void Formatting::pressAlignment(const QAction *button)
{
    for (QAction *a : {LeftAlign, CenterAlign, RightAlign})
        a->setChecked(a == button);
}

QAction *Formatting::buttonFor(Alignment alignment) const
{
    switch (alignment) {
    case Alignment::Left:
        return LeftAlign;
    case Alignment::Center:
        return CenterAlign;
    case Alignment::Right:
        return RightAlign;
    case Alignment::Justify:
        break;
    }
    return nullptr;
}

QAction *Formatting::menuItemFor(Alignment alignment) const
{
    switch (alignment) {
    case Alignment::Left:
        return Left1;
    case Alignment::Center:
        return Center1;
    case Alignment::Right:
        return Right1;
    case Alignment::Justify:
        break;
    }
    return nullptr;
}

// Commands ----------------------------------------------------------------------------

CharAttributes Formatting::ActiveAttributes() const
{
    return m_editor->selLength() > 0 ? m_editor->selAttributes() : m_editor->defAttributes();
}

void Formatting::setActiveAttributes(const CharAttributes &attrs, CharFields fields)
{
    if (m_editor->selLength() > 0)
        m_editor->setSelAttributes(attrs, fields);
    else
        m_editor->setDefAttributes(attrs, fields);
}

void Formatting::FontNameChange()
{
    if (FUpdatingControls)
        return;
    const int index = FontName->findText(FontName->currentText(), Qt::MatchFixedString);
    // A name no face has stays in the box to be put right.
    if (index < 0) {
        QApplication::beep();
        return;
    }
    // The box holds its item: leaving it later chooses nothing again.
    {
        const QSignalBlocker quiet(FontName);
        FontName->setCurrentIndex(index);
    }
    CharAttributes attrs;
    attrs.name = FontName->itemText(index);
    setActiveAttributes(attrs, CharField::Name);
    if (m_editor->isVisible())
        m_editor->setFocus();
}

void Formatting::FontSizeChange()
{
    if (FUpdatingControls)
        return;
    bool isNumber = false;
    CharAttributes attrs;
    attrs.size = FontSize->text().toInt(&isNumber);
    if (!isNumber)
        attrs.size = kFallbackSize;
    setActiveAttributes(attrs, CharField::Size);
}

void Formatting::FontSizeKeyPress()
{
    if (!FUpdatingControls)
        m_editor->setFocus();
}

void Formatting::styleButtonClick(const QAction *button, int styleBit)
{
    if (FUpdatingControls)
        return;
    CharAttributes attrs = ActiveAttributes();
    attrs.style = button->isChecked() ? attrs.style | styleBit : attrs.style & ~styleBit;
    setActiveAttributes(attrs, CharField::Style);
}

void Formatting::alignButtonClick(const QAction *button)
{
    if (FUpdatingControls)
        return;
    const auto alignment = Alignment(button->data().toInt());
    setAlignment(alignment);
    for (QAction *item : {Left1, Center1, Right1})
        item->setChecked(item == menuItemFor(alignment));
}

void Formatting::BulletsButtonClick()
{
    if (FUpdatingControls)
        return;
    ParaAttributes para;
    para.numbering = BulletsButton->isChecked() ? Numbering::Bullet : Numbering::None;
    m_editor->setParagraph(para, ParaField::Numbering);
}

void Formatting::setAlignment(Alignment alignment)
{
    ParaAttributes para;
    para.alignment = alignment;
    m_editor->setParagraph(para, ParaField::Alignment);
}

void Formatting::AlignClick(QAction *sender)
{
    for (QAction *item : {Left1, Center1, Right1})
        item->setChecked(item == sender);
    const auto alignment = Alignment(sender->data().toInt());
    setAlignment(alignment);
    pressAlignment(buttonFor(alignment));
}

void Formatting::Wordwrap1Click()
{
    const bool wrap = !m_editor->wordWrap();
    m_editor->setWordWrap(wrap);
    m_editor->setScrollBars(wrap ? TRichEdit::ScrollBars::Vertical : TRichEdit::ScrollBars::Both);
    Wordwrap1->setChecked(wrap);
}

void Formatting::Font1Click()
{
    if (const auto chosen = prompts().font({attributesOf(*m_editor)}))
        m_editor->setSelAttributes(*chosen);
}

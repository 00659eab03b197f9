#pragma once

#include "platform/text/TextAttributes.h"

#include <QObject>

class QAction;
class QActionGroup;
class QComboBox;
class QLineEdit;
class QMenu;
class QToolBar;
class QWidget;
class TRichEdit;
class UpDown;

// The formatting commands of an edit window: the toolbar's font, style,
// alignment and bullet controls, the Character menu, and how those controls
// show the attributes at the caret.
//
// The toolbar's commands write the attributes of the selection, or the
// editor's default attributes when nothing is selected. While the controls
// are being brought in line with the caret (FUpdatingControls), their
// change handlers do nothing, so that moving the caret never changes the
// text.
class Formatting : public QObject
{
    Q_OBJECT

public:
    // The Character menu belongs to `form`; the toolbar part is added by addTo.
    Formatting(TRichEdit *editor, QWidget *form);

    QMenu *Character1 = nullptr;
    QAction *Left1 = nullptr;
    QAction *Center1 = nullptr;
    QAction *Right1 = nullptr;
    QAction *Wordwrap1 = nullptr;
    QAction *Font1 = nullptr;

    QComboBox *FontName = nullptr;
    QLineEdit *FontSize = nullptr;
    UpDown *UpDown1 = nullptr;
    QAction *BoldButton = nullptr;
    QAction *ItalicButton = nullptr;
    QAction *UnderlineButton = nullptr;
    QAction *LeftAlign = nullptr;
    QAction *CenterAlign = nullptr;
    QAction *RightAlign = nullptr;
    QAction *BulletsButton = nullptr;

    bool FUpdatingControls = false;

    // Appends the font name and size, the style buttons, the alignment
    // group and the bullets button to the toolbar.
    void addTo(QToolBar *bar);
    // The system's font families, sorted.
    void FillFontList();
    // Shows the selection's styles, size and face and its paragraph's
    // numbering and alignment in the toolbar.
    void showCaretAttributes();

    // The selection's attributes when something is selected, else the
    // editor's default attributes.
    CharAttributes ActiveAttributes() const;
    void setActiveAttributes(const CharAttributes &attrs, CharFields fields);

    // A face picked from the list, or typed and confirmed with Enter.
    void FontNameChange();
    void FontSizeChange();
    // Enter in the size box: back to the text.
    void FontSizeKeyPress();
    void AlignClick(QAction *sender);
    void Wordwrap1Click();
    void Font1Click();

private:
    void createCharacterMenu(QWidget *form);
    void createFontBoxes(QWidget *parent);
    void styleButtonClick(const QAction *button, int styleBit);
    void alignButtonClick(const QAction *button);
    void BulletsButtonClick();
    // Presses one alignment button and releases the others; null releases all.
    void pressAlignment(const QAction *button);
    void setAlignment(Alignment alignment);
    // The alignment button or Character menu item of an alignment.
    QAction *buttonFor(Alignment alignment) const;
    QAction *menuItemFor(Alignment alignment) const;

    TRichEdit *m_editor;
    QActionGroup *m_alignGroup = nullptr;
};

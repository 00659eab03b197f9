#include "search/FindDialogs.h"

#include "platform/system/Prompts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <exception>

// The window of a find or replace dialog. It shows the dialog's values and
// writes every change the user makes straight back into the dialog.
class FindDialogWindow : public QDialog
{
    // Without it, tr() would look the texts up under QDialog.
    Q_DECLARE_TR_FUNCTIONS(FindDialogWindow)

public:
    FindDialogWindow(FindDialog *dialog, QWidget *parent)
        : QDialog(parent)
        , m_dialog(dialog)
        , m_replace(dialog->isReplaceDialog() ? static_cast<ReplaceDialog *>(dialog) : nullptr)
    {
        setModal(false);
        createControls();
    }

    // Shows the dialog's current values.
    void load()
    {
        const TFindOptions o = m_dialog->options();
        const QSignalBlocker b1(m_findEdit), b2(m_wholeWord), b3(m_matchCase), b4(m_down);
        m_findEdit->setText(m_dialog->findText());
        if (m_replace) {
            const QSignalBlocker b5(m_replaceEdit);
            m_replaceEdit->setText(m_replace->replaceText());
        }
        m_wholeWord->setChecked(o & frWholeWord);
        m_wholeWord->setVisible(!(o & frHideWholeWord));
        m_wholeWord->setEnabled(!(o & frDisableWholeWord));
        m_matchCase->setChecked(o & frMatchCase);
        m_matchCase->setVisible(!(o & frHideMatchCase));
        m_matchCase->setEnabled(!(o & frDisableMatchCase));
        m_down->setChecked(o & frDown);
        m_up->setChecked(!(o & frDown));
        m_direction->setVisible(!(o & frHideUpDown));
        m_direction->setEnabled(!(o & frDisableUpDown));
        updateButtons();
    }

protected:
    void reject() override
    {
        QDialog::reject();
        m_dialog->closedByUser();
    }

    void moveEvent(QMoveEvent *event) override
    {
        QDialog::moveEvent(event);
        if (isVisible())
            m_dialog->m_position = pos();
    }

private:
    void createControls()
    {
        setWindowTitle(m_dialog->caption());

        m_findEdit = new QLineEdit(this);
        m_findEdit->setObjectName(QStringLiteral("findText"));
        auto *findLabel = new QLabel(tr("Fi&nd what:"), this);
        findLabel->setBuddy(m_findEdit);
        connect(m_findEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
            m_dialog->m_findText = text;
            updateButtons();
        });

        auto *fields = new QGridLayout;
        fields->addWidget(findLabel, 0, 0);
        fields->addWidget(m_findEdit, 0, 1);
        if (m_replace) {
            m_replaceEdit = new QLineEdit(this);
            m_replaceEdit->setObjectName(QStringLiteral("replaceText"));
            auto *replaceLabel = new QLabel(tr("Re&place with:"), this);
            replaceLabel->setBuddy(m_replaceEdit);
            connect(m_replaceEdit, &QLineEdit::textEdited, this,
                    [this](const QString &text) { m_replace->m_replaceText = text; });
            fields->addWidget(replaceLabel, 1, 0);
            fields->addWidget(m_replaceEdit, 1, 1);
        }

        m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
        m_wholeWord->setObjectName(QStringLiteral("wholeWord"));
        m_matchCase = new QCheckBox(tr("Match &case"), this);
        m_matchCase->setObjectName(QStringLiteral("matchCase"));
        connect(m_wholeWord, &QCheckBox::toggled, this,
                [this](bool on) { setOption(frWholeWord, on); });
        connect(m_matchCase, &QCheckBox::toggled, this,
                [this](bool on) { setOption(frMatchCase, on); });

        m_direction = new QGroupBox(tr("Direction"), this);
        m_up = new QRadioButton(tr("&Up"), m_direction);
        m_up->setObjectName(QStringLiteral("up"));
        m_down = new QRadioButton(tr("&Down"), m_direction);
        m_down->setObjectName(QStringLiteral("down"));
        auto *directionRow = new QHBoxLayout(m_direction);
        directionRow->addWidget(m_up);
        directionRow->addWidget(m_down);
        connect(m_down, &QRadioButton::toggled, this, [this](bool on) { setOption(frDown, on); });

        auto *checks = new QVBoxLayout;
        checks->addWidget(m_wholeWord);
        checks->addWidget(m_matchCase);
        auto *optionsRow = new QHBoxLayout;
        optionsRow->addLayout(checks);
        optionsRow->addWidget(m_direction);

        auto *left = new QVBoxLayout;
        left->addLayout(fields);
        left->addLayout(optionsRow);
        left->addStretch();

        auto *buttons = new QVBoxLayout;
        m_findNext = addButton(buttons, tr("&Find Next"), QStringLiteral("findNext"),
                               [this] { m_dialog->pressed(frFindNext, m_dialog->onFind); });
        m_findNext->setDefault(true);
        if (m_replace) {
            m_replaceButton = addButton(buttons, tr("&Replace"), QStringLiteral("replace"), [this] {
                m_dialog->pressed(frReplace, m_dialog->onReplace);
            });
            m_replaceAll =
                addButton(buttons, tr("Replace &All"), QStringLiteral("replaceAll"),
                          [this] { m_dialog->pressed(frReplaceAll, m_dialog->onReplace); });
        }
        addButton(buttons, tr("Cancel"), QStringLiteral("cancel"), [this] { reject(); });
        buttons->addStretch();

        auto *main = new QHBoxLayout(this);
        main->addLayout(left, 1);
        main->addLayout(buttons);
        setSizeGripEnabled(false);
    }

    template<typename Action>
    QPushButton *addButton(QVBoxLayout *column, const QString &caption, const QString &name,
                           Action action)
    {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        column->addWidget(button);
        return button;
    }

    void setOption(TFindOption option, bool on) { m_dialog->m_options.setFlag(option, on); }

    // Nothing to search for: only Cancel makes sense.
    void updateButtons()
    {
        const bool any = !m_findEdit->text().isEmpty();
        m_findNext->setEnabled(any);
        if (m_replace) {
            m_replaceButton->setEnabled(any);
            m_replaceAll->setEnabled(any);
        }
    }

    FindDialog *m_dialog;
    ReplaceDialog *m_replace;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QGroupBox *m_direction = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAll = nullptr;
};

// FindDialog -----------------------------------------------------------------

FindDialog::FindDialog(QObject *parent)
    : QObject(parent)
{}

FindDialog::~FindDialog()
{
    delete m_window.data();
}

void FindDialog::setOptions(TFindOptions options)
{
    m_options = options;
    refreshWindow();
}

void FindDialog::setFindText(const QString &text)
{
    m_findText = text;
    refreshWindow();
}

void FindDialog::setPosition(QPoint position)
{
    m_position = position;
    if (isOpen() && position != QPoint(-1, -1))
        m_window->move(position);
}

void FindDialog::refreshWindow()
{
    if (m_window)
        m_window->load();
}

QString FindDialog::caption() const
{
    return tr("Find");
}

bool FindDialog::isOpen() const
{
    return m_window && m_window->isVisible();
}

QDialog *FindDialog::window() const
{
    return m_window.data();
}

void FindDialog::execute()
{
    if (isOpen()) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    if (!m_window)
        m_window = new FindDialogWindow(this, m_windowParent);
    m_window->load();
    if (m_position != QPoint(-1, -1))
        m_window->move(m_position);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    if (onShow)
        onShow(this);
}

void FindDialog::closeDialog()
{
    if (!isOpen())
        return;
    m_window->hide();
    if (onClose)
        onClose(this);
}

void FindDialog::pressed(TFindOption action, const Handler &handler)
{
    m_options &= ~TFindOptions(frFindNext | frReplace | frReplaceAll);
    m_options |= action;
    runFromWindow(handler);
}

void FindDialog::closedByUser()
{
    runFromWindow(onClose);
}

void FindDialog::runFromWindow(const Handler &handler)
{
    if (!handler)
        return;
    try {
        handler(this);
    } catch (const std::exception &e) {
        prompts().error(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        prompts().error(tr("The search failed."));
    }
}

// ReplaceDialog ----------------------------------------------------------------

void ReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceText = text;
    refreshWindow();
}

QString ReplaceDialog::caption() const
{
    return tr("Replace");
}

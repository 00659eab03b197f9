#include "platform/system/QtPrompts.h"

#include "platform/text/WinColors.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? QApplication::applicationName() : caption;
}

QMessageBox::Icon toQt(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Error:
        return QMessageBox::Critical;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Prompts::Buttons buttons)
{
    switch (buttons) {
    case Prompts::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompts::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompts::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompts::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// Qt reads a filter's patterns from its last parentheses and shows the
// description as given.
QStringList nameFilters(const QList<Prompts::FileFilter> &filters)
{
    QStringList out;
    for (const auto &f : filters) {
        const QString patterns =
            f.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(f.description, patterns);
    }
    return out;
}

void setUpFilters(QFileDialog &dialog, const QList<Prompts::FileFilter> &filters, int index)
{
    const QStringList names = nameFilters(filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(names);
    if (index >= 1 && index <= names.size())
        dialog.selectNameFilter(names.at(index - 1));
}

// The font dialog of the editor: face, size, style, and the colour that
// Qt's font dialog leaves out.
class FontColorDialog : public QDialog
{
public:
    FontColorDialog(const CharAttributes &initial, QWidget *parent)
        : QDialog(parent)
        , m_fonts(new QFontDialog(textformat::toFont(initial), this))
        , m_color(initial.color)
        , m_charset(initial.charset)
    {
        setWindowTitle(QCoreApplication::translate("QtPrompts", "Font"));
        m_fonts->setWindowFlags(Qt::Widget);
        m_fonts->setOptions(QFontDialog::NoButtons);

        auto *colorButton =
            new QPushButton(QCoreApplication::translate("QtPrompts", "Colour..."), this);
        m_swatch = new QLabel(this);
        m_swatch->setFixedSize(48, 20);
        showColor();
        connect(colorButton, &QPushButton::clicked, this, [this] {
            const QColor c = QColorDialog::getColor(wincolors::toColor(m_color, palette()), this);
            if (c.isValid()) {
                m_color = wincolors::fromColor(c);
                showColor();
            }
        });

        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto *colorRow = new QHBoxLayout;
        colorRow->addWidget(colorButton);
        colorRow->addWidget(m_swatch);
        colorRow->addStretch();
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_fonts);
        layout->addLayout(colorRow);
        layout->addWidget(buttons);
    }

    CharAttributes chosen() const
    {
        const QFont f = m_fonts->currentFont();
        CharAttributes a;
        a.name = f.family();
        a.size = f.pointSize() > 0 ? f.pointSize() : 8;
        a.style = (f.bold() ? fontstyle::Bold : 0) | (f.italic() ? fontstyle::Italic : 0) |
                  (f.underline() ? fontstyle::Underline : 0) |
                  (f.strikeOut() ? fontstyle::StrikeOut : 0);
        a.color = m_color;
        a.charset = m_charset;
        return a;
    }

private:
    void showColor()
    {
        m_swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid gray")
                                    .arg(wincolors::toColor(m_color, palette()).name()));
    }

    QFontDialog *m_fonts;
    QLabel *m_swatch = nullptr;
    quint32 m_color;
    int m_charset;
};

} // namespace

Prompts::Answer QtPrompts::message(const Message &m)
{
    QMessageBox box(toQt(m.icon), captionOr(m.caption), m.text, toQt(m.buttons), dialogParent());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return m.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> QtPrompts::openFile(const OpenFileRequest &request)
{
    QFileDialog dialog(dialogParent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    setUpFilters(dialog, request.filters, request.filterIndex);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::saveFile(const SaveFileRequest &request)
{
    QFileDialog dialog(dialogParent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDefaultSuffix(request.defaultExtension);
    setUpFilters(dialog, request.filters, request.filterIndex);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
        const QFileInfo info(path);
        if (!request.rejectReadOnly || !info.exists() || info.isWritable())
            return path;
        QMessageBox::warning(&dialog, dialog.windowTitle(),
                             QCoreApplication::translate("QtPrompts",
                                                         "%1\nThis file is set to read-only.\n"
                                                         "Try again with a different file name.")
                                 .arg(info.fileName()));
    }
}

std::optional<CharAttributes> QtPrompts::font(const CharAttributes &initial)
{
    FontColorDialog dialog(initial, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

std::optional<quint32> QtPrompts::color(quint32 initial)
{
    QWidget *parent = dialogParent();
    const QPalette palette = parent ? parent->palette() : QApplication::palette();
    const QColor c = QColorDialog::getColor(wincolors::toColor(initial, palette), parent);
    if (!c.isValid())
        return std::nullopt;
    return wincolors::fromColor(c);
}

bool QtPrompts::print(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::printerSetup(QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

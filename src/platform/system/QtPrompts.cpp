#include "platform/system/QtPrompts.h"

#include "platform/text/WinColors.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

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

// The faces a font dialog offers. ANSI faces are those that write Latin
// text and are no symbol faces.
QStringList fontFamilies(bool ansiOnly)
{
    QStringList families;
    const QStringList all = QFontDatabase::families();
    for (const QString &family : all) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const auto systems = QFontDatabase::writingSystems(family);
        if (ansiOnly &&
            (!systems.contains(QFontDatabase::Latin) || systems.contains(QFontDatabase::Symbol)))
            continue;
        families << family;
    }
    return families;
}

// A font dialog in the terms the program keeps fonts in: a face, a size in
// points, the four style bits and a colour; the character set is kept.
class FontColorDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(QtPrompts)

public:
    FontColorDialog(const Prompts::FontRequest &request, QWidget *parent)
        : QDialog(parent)
        , m_chosen(request.initial)
    {
        setWindowTitle(tr("Font"));
        createControls(fontFamilies(request.ansiOnly));
        showChosen();
    }

    CharAttributes chosen() const { return m_chosen; }

private:
    void createControls(const QStringList &families)
    {
        m_families = new QListWidget(this);
        m_families->addItems(families);
        m_families->setAccessibleName(tr("Font"));
        const auto found = m_families->findItems(m_chosen.name, Qt::MatchFixedString);
        if (!found.isEmpty())
            m_families->setCurrentItem(found.constFirst());
        connect(m_families, &QListWidget::currentTextChanged, this, [this](const QString &face) {
            m_chosen.name = face;
            showChosen();
        });

        m_size = new QSpinBox(this);
        m_size->setRange(1, kMaxPointSize);
        m_size->setValue(std::clamp(m_chosen.size, 1, kMaxPointSize));
        m_size->setAccessibleName(tr("Size"));
        connect(m_size, &QSpinBox::valueChanged, this, [this](int size) {
            m_chosen.size = size;
            showChosen();
        });

        auto *styles = new QHBoxLayout;
        const std::pair<int, QString> bits[] = {{fontstyle::Bold, tr("&Bold")},
                                                {fontstyle::Italic, tr("&Italic")},
                                                {fontstyle::Underline, tr("&Underline")},
                                                {fontstyle::StrikeOut, tr("Stri&keout")}};
        for (const auto &entry : bits) {
            const int bit = entry.first; // a lambda may not capture a structured binding
            auto *box = new QCheckBox(entry.second, this);
            box->setChecked(m_chosen.style & bit);
            connect(box, &QCheckBox::toggled, this, [this, bit](bool on) {
                m_chosen.style = on ? (m_chosen.style | bit) : (m_chosen.style & ~bit);
                showChosen();
            });
            styles->addWidget(box);
        }

        auto *colorButton = new QPushButton(tr("Colour..."), this);
        m_swatch = new QLabel(this);
        m_swatch->setFixedSize(48, 20);
        connect(colorButton, &QPushButton::clicked, this, [this] {
            const QColor c =
                QColorDialog::getColor(wincolors::toColor(m_chosen.color, palette()), this);
            if (c.isValid()) {
                m_chosen.color = wincolors::fromColor(c);
                showChosen();
            }
        });
        styles->addStretch();
        styles->addWidget(colorButton);
        styles->addWidget(m_swatch);

        m_sample = new QLabel(tr("AaBbYyZz АаБбЯя"), this);
        m_sample->setAlignment(Qt::AlignCenter);
        m_sample->setMinimumHeight(60);
        m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);

        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto *choice = new QGridLayout;
        choice->addWidget(new QLabel(tr("Font:"), this), 0, 0);
        choice->addWidget(new QLabel(tr("Size:"), this), 0, 1);
        choice->addWidget(m_families, 1, 0);
        choice->addWidget(m_size, 1, 1, Qt::AlignTop);
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(choice);
        layout->addLayout(styles);
        layout->addWidget(m_sample);
        layout->addWidget(buttons);
    }

    void showChosen()
    {
        m_sample->setFont(textformat::toFont(m_chosen));
        const QString color = wincolors::toColor(m_chosen.color, palette()).name();
        m_sample->setStyleSheet(QStringLiteral("color: %1").arg(color));
        m_swatch->setStyleSheet(
            QStringLiteral("background: %1; border: 1px solid gray").arg(color));
    }

    CharAttributes m_chosen;
    QListWidget *m_families = nullptr;
    QSpinBox *m_size = nullptr;
    QLabel *m_swatch = nullptr;
    QLabel *m_sample = nullptr;
};

} // namespace

// Offscreen or on the minimal platform, nobody sees a question.
bool QtPrompts::canAsk() const
{
    const QString platform = QGuiApplication::platformName();
    return qobject_cast<QApplication *>(QCoreApplication::instance()) &&
           platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

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
    setUpFilters(dialog, request.filters, request.filterIndex);
    // The chosen filter decides what a name typed without an extension gets,
    // as the filter's own extension.
    const auto suffixFor = [&](qsizetype index) {
        const bool own = index >= 0 && index < request.filters.size() &&
                         !request.filters[index].extension.isEmpty();
        return own ? request.filters[index].extension : request.defaultExtension;
    };
    dialog.setDefaultSuffix(suffixFor(request.filterIndex - 1));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        // The dialog names the filter as it shows it: without its patterns.
        const QStringList names = nameFilters(request.filters);
        qsizetype index = request.filters.size() - 1;
        while (index >= 0 && filter != names[index] && filter != request.filters[index].description)
            --index;
        dialog.setDefaultSuffix(suffixFor(index));
    });
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

std::optional<CharAttributes> QtPrompts::font(const FontRequest &request)
{
    FontColorDialog dialog(request, dialogParent());
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

std::optional<int> QtPrompts::number(const NumberRequest &request)
{
    bool ok = false;
    const int n = QInputDialog::getInt(dialogParent(), request.title, request.label, request.value,
                                       request.minimum, request.maximum, 1, &ok);
    return ok ? std::optional<int>(n) : std::nullopt;
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

void QtPrompts::printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint)
{
    QPrintPreviewDialog dialog(&printer, dialogParent());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

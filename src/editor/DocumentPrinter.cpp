#include "editor/DocumentPrinter.h"

#include "platform/richedit/TRichEdit.h"
#include "platform/system/Prompts.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

namespace names = settingsnames;

constexpr qreal kDefaultMarginMm = 20;
// Margins are stored in hundredths of a millimetre.
constexpr qreal kStoredPerMm = 100;

// A printout to a file goes next to the document, named after it:
// letter.rtf gives letter.pdf. A document without a folder of its own
// prints to the home folder.
QString pdfFor(const QString &fileName)
{
    const QFileInfo document(fileName);
    const QDir folder(document.isAbsolute() ? document.absolutePath() : QDir::homePath());
    return folder.filePath(document.completeBaseName() + QStringLiteral(".pdf"));
}

// Print jobs are titled with the document's whole name.
void printTitled(QPrinter *printer, const TRichEdit &editor, const QString &fileName)
{
    printer->setDocName(fileName);
    editor.print(printer);
}

} // namespace

DocumentPrinter::DocumentPrinter()
    : m_margins(kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm)
{
    reportUnhandled([this] { loadMargins(); });
}

DocumentPrinter::~DocumentPrinter() = default;

void DocumentPrinter::print(const TRichEdit &editor, const QString &fileName)
{
    prepare(fileName);
    if (!prompts().print(printer()))
        return;
    // The printer chosen may have a wider unprintable border.
    applyMargins();
    printTitled(&printer(), editor, fileName);
}

void DocumentPrinter::preview(const TRichEdit &editor, const QString &fileName)
{
    prepare(fileName);
    prompts().printPreview(printer(), [&editor, &fileName](QPrinter *target) {
        printTitled(target, editor, fileName);
    });
}

void DocumentPrinter::pageSetup()
{
    applyMargins();
    if (!prompts().printerSetup(printer()))
        return;
    m_margins = printer().pageLayout().margins(QPageLayout::Millimeter);
    storeMargins();
}

QPrinter &DocumentPrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Pages are laid out inside the margins, never on the part of the
        // paper a printer cannot print on.
        m_printer->setFullPage(false);
    }
    return *m_printer;
}

void DocumentPrinter::prepare(const QString &fileName)
{
    QPrinter &p = printer();
    // Qt's print dialog names the file it proposes after the title, in the
    // working folder: a title with folders in it would name a file in a
    // folder that is not there.
    p.setDocName(QFileInfo(fileName).fileName());
    // A file name makes a printer print to a file: only a printer that
    // does so already is given one, next to the document.
    if (p.outputFormat() == QPrinter::PdfFormat)
        p.setOutputFileName(pdfFor(fileName));
    applyMargins();
}

void DocumentPrinter::applyMargins()
{
    QPageLayout layout = printer().pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF low = layout.minimumMargins();
    const QMarginsF high = layout.maximumMargins();
    const auto fit = [](qreal wanted, qreal least, qreal most) {
        return std::clamp(wanted, least, std::max(least, most));
    };
    layout.setMargins({fit(m_margins.left(), low.left(), high.left()),
                       fit(m_margins.top(), low.top(), high.top()),
                       fit(m_margins.right(), low.right(), high.right()),
                       fit(m_margins.bottom(), low.bottom(), high.bottom())});
    printer().setPageLayout(layout);
}

void DocumentPrinter::loadMargins()
{
    SettingsStore store;
    const auto read = [&store](const QString &name, qreal def) {
        return store.readInteger(names::Printing, name, int(std::lround(def * kStoredPerMm))) /
               kStoredPerMm;
    };
    m_margins = QMarginsF(
        read(names::LeftMargin, m_margins.left()), read(names::TopMargin, m_margins.top()),
        read(names::RightMargin, m_margins.right()), read(names::BottomMargin, m_margins.bottom()));
    store.close();
}

void DocumentPrinter::storeMargins() const
{
    SettingsStore store;
    const auto write = [&store](const QString &name, qreal mm) {
        store.writeInteger(names::Printing, name, int(std::lround(mm * kStoredPerMm)));
    };
    write(names::LeftMargin, m_margins.left());
    write(names::TopMargin, m_margins.top());
    write(names::RightMargin, m_margins.right());
    write(names::BottomMargin, m_margins.bottom());
    store.close();
}

#pragma once

#include <QMarginsF>
#include <QString>

#include <memory>

class QPrinter;
class TRichEdit;

// Printing for every edit window of a run: the printer that print jobs go
// to, as the printer set-up left it, and the page margins the pages are laid
// out in, which the settings store keeps from one run to the next.
class DocumentPrinter
{
public:
    // Takes the margins from the store; one it cannot read is reported and
    // the default taken.
    DocumentPrinter();
    ~DocumentPrinter();

    DocumentPrinter(const DocumentPrinter &) = delete;
    DocumentPrinter &operator=(const DocumentPrinter &) = delete;

    // The print dialog; confirmed, the document is printed, titled `fileName`.
    void print(const TRichEdit &editor, const QString &fileName);
    // The document's pages as print lays them out, with a command to print them.
    void preview(const TRichEdit &editor, const QString &fileName);
    // The page dialog: paper, orientation and margins. Margins confirmed
    // there are written to the store; a failure to write them throws.
    void pageSetup();

    // The margins asked for, in millimetres. Pages keep at least the
    // printer's unprintable border.
    QMarginsF margins() const { return m_margins; }

private:
    // Made at first use: looking for printers can take a while.
    QPrinter &printer();
    // Readies the printer for a document's dialogs: the title and the file
    // a print to file proposes, the margins.
    void prepare(const QString &fileName);
    void applyMargins();
    void loadMargins();
    void storeMargins() const;

    QMarginsF m_margins;
    std::unique_ptr<QPrinter> m_printer;
};

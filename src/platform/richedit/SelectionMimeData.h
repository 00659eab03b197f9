#pragma once

#include "platform/text/TextAttributes.h"

#include <QMimeData>
#include <QPalette>
#include <QTextDocumentFragment>

#include <optional>

class QTextCursor;

// A selection on the clipboard as plain text, HTML and RTF. The formats are
// made only when a program asks for them: for a long selection that takes a
// while, and most pastes ask for one format or none. A selection whose text
// has no attributes of its own is kept as that text alone, which is quick
// to take.
class SelectionMimeData : public QMimeData
{
    Q_OBJECT

public:
    // `defaults` and `palette` give text without attributes its face, size
    // and colour in the RTF.
    SelectionMimeData(const QTextCursor &selection, bool formatted, const CharAttributes &defaults,
                      const QPalette &palette);

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QString plainText() const;
    QByteArray rtf() const;
    const QTextDocumentFragment &fragment() const;

    // The selection's text as the document holds it, or its formatted copy.
    QString m_docText;
    mutable std::optional<QTextDocumentFragment> m_fragment;
    CharAttributes m_defaults;
    QPalette m_palette;
};

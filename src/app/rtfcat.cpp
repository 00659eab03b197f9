// rtfcat: reads an RTF file the way the editor does and prints what it holds.
//
//   rtfcat [--ansi | --rtf | --dump | --detect] FILE
//   rtfcat --help | --version
//
// Prints the text (UTF-8, LF line ends) by default; --ansi prints the text
// the way the editor's commands see it (Windows-1251, CR LF); --rtf writes
// the document back as the editor's RTF; --dump lists each paragraph's and
// each character run's attributes. Exit code 0 when the file was RTF, 1 when
// it was not (and was read as plain text), 2 when it could not be read.
//
// --detect prints the encoding the editor sees in the file when it opens it
// as plain text ("UTF-8", "KOI8-R", "IBM866", "WINDOWS-1251", "ASCII" ...,
// or "unknown"), with exit code 0, or 2 when the file could not be read.

#include "platform/richedit/RtfReader.h"
#include "platform/richedit/RtfWriter.h"
#include "platform/richedit/TextView.h"
#include "platform/system/FileIO.h"
#include "platform/text/EncodingDetector.h"
#include "platform/text/TextAttributes.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

void put(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

QByteArray quoted(const QString &text)
{
    QString q = text;
    q.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QChar::LineSeparator, QLatin1String("\\n"));
    return '"' + q.toUtf8() + '"';
}

void dump(const QTextDocument &doc)
{
    static const char *const alignments[] = {"left", "right", "center", "justify"};
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++n) {
        const ParaAttributes p =
            textformat::fromBlockFormat(b.blockFormat(), b.textList() != nullptr);
        std::printf("paragraph %d align=%s bullet=%d first=%d left=%d right=%d\n", n,
                    alignments[int(p.alignment)], int(p.numbering), p.firstIndent, p.leftIndent,
                    p.rightIndent);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const CharAttributes a = textformat::fromCharFormat(f.charFormat(), CharAttributes{});
            std::printf("  run font=%s size=%d style=%d color=0x%08x charset=%d text=%s\n",
                        quoted(a.name).constData(), a.size, a.style, a.color, a.charset,
                        quoted(f.text()).constData());
        }
    }
}

int detect(const QByteArray &head)
{
    const QByteArray name = encodings::detect(head).name;
    put((name.isEmpty() ? QByteArray("unknown") : name) + '\n');
    std::fflush(stdout);
    return 0;
}

// What was asked for: the mode ("--ansi" ..., or empty) and the file. Help,
// version and usage errors end the program here, before any GUI
// application: like the editor's, they need no display.
struct Request
{
    QString mode;
    QString path;
};

Request parseArguments(int argc, char *argv[])
{
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rtfcat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SCRIVLET_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads an RTF file as Scrivlet does and prints its text (UTF-8) or, with an option,\n"
        "what else the editor sees in it. Exit code 0: the file was RTF; 1: it was read as\n"
        "plain text; 2: it could not be read."));
    const QList<QCommandLineOption> modes = {
        {QStringLiteral("ansi"), QStringLiteral("The text as the editor's commands see it "
                                                "(Windows-1251, CR LF).")},
        {QStringLiteral("rtf"), QStringLiteral("The document written back as the editor's RTF.")},
        {QStringLiteral("dump"), QStringLiteral("Every paragraph's and character run's "
                                                "attributes.")},
        {QStringLiteral("detect"), QStringLiteral("The encoding the editor sees in a plain file "
                                                  "(UTF-8, KOI8-R, IBM866, WINDOWS-1251, ASCII "
                                                  "... or unknown).")},
    };
    parser.addOptions(modes);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The file to read."));
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(help))
        parser.showHelp(0);
    if (parsed && parser.isSet(version))
        parser.showVersion();
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() != 1) {
        if (!parsed)
            std::fprintf(stderr, "rtfcat: %s\n", qPrintable(parser.errorText()));
        std::fprintf(stderr, "usage: rtfcat [--ansi | --rtf | --dump | --detect] FILE\n"
                             "       rtfcat --help | --version\n");
        std::exit(2);
    }
    Request request{{}, files.constFirst()};
    for (const QCommandLineOption &m : modes) {
        if (parser.isSet(m))
            request.mode = QLatin1String("--") + m.names().constFirst();
    }
    return request;
}

} // namespace

int main(int argc, char *argv[])
{
    const auto [mode, path] = parseArguments(argc, argv);

    // Fonts need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const bool detecting = mode == QLatin1String("--detect");
    QByteArray bytes;
    try {
        bytes = fileio::read(path, detecting ? encodings::kSampleSize : -1);
    } catch (const FileError &e) {
        std::fprintf(stderr, "rtfcat: %s\n", e.what());
        return 2;
    }
    if (detecting)
        return detect(bytes);
    QTextDocument doc;
    const bool isRtf = rtf::read(bytes, doc);
    if (!isRtf)
        doc.setPlainText(textview::decode(bytes));

    if (mode == QLatin1String("--ansi")) {
        put(textview::text(doc));
    } else if (mode == QLatin1String("--rtf")) {
        CharAttributes defaults;
        defaults.name = doc.defaultFont().family();
        put(rtf::write(doc, defaults, QGuiApplication::palette()));
    } else if (mode == QLatin1String("--dump")) {
        dump(doc);
    } else {
        // Table cells show on lines of their own, as in the editor's text.
        QString text = doc.toRawText();
        for (QChar &c : text) {
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar(0xFDD0) ||
                c == QChar(0xFDD1))
                c = u'\n';
        }
        put(text.toUtf8());
        if (!text.isEmpty())
            put("\n");
    }
    std::fflush(stdout);
    return isRtf ? 0 : 1;
}

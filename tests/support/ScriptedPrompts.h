#pragma once

#include "platform/system/Prompts.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

// Prompts for tests: installs itself for its lifetime, records every prompt
// and answers each from a queue of expectations. A prompt nobody expected,
// or one of another kind or text than the next expectation, fails the
// running test; so do expectations still queued when it goes away.
class ScriptedPrompts : public Prompts
{
public:
    enum class Kind {
        Message,
        OpenFile,
        SaveFile,
        Font,
        Color,
        Number,
        Print,
        PrinterSetup,
        PrintPreview
    };
    enum class Match { Exact, Contains, ReasonBelow };

    struct Record
    {
        Kind kind;
        // Message text, or the file name a file or print dialog was given.
        QString text;
        QString caption; // a message's, or the print job's title
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void expectMessage(const QString &text, Answer answer = Answer::Ok);
    // A message whose text holds the fragment, such as a system error.
    void expectMessageContaining(const QString &fragment, Answer answer = Answer::Ok);
    // A failure's report: the message, and a reason on the line below it.
    void expectFailure(const QString &message);
    void expectOpenFile(std::optional<QString> path);
    void expectSaveFile(std::optional<QString> path);
    void expectFont(std::optional<CharAttributes> font);
    void expectColor(std::optional<quint32> color);
    void expectNumber(std::optional<int> number);
    void expectPrint(bool accept);
    // Accepts the print dialog with "Print to file" chosen: PDF into the file.
    void expectPrintToFile(const QString &pdfPath);
    // The page dialog; accepted, it makes the user's choices on the printer.
    void expectPrinterSetup(bool accept, std::function<void(QPrinter &)> choose = {});
    // The preview lays its pages out as Qt's preview does.
    void expectPrintPreview();

    const QList<Record> &log() const { return m_log; }
    // The last requests an open and a save dialog were opened with.
    const OpenFileRequest &lastOpenRequest() const { return m_lastOpen; }
    const SaveFileRequest &lastSaveRequest() const { return m_lastSave; }
    // The last request a font dialog was opened with.
    const FontRequest &lastFontRequest() const { return m_lastFont; }
    const NumberRequest &lastNumberRequest() const { return m_lastNumber; }
    int pending() const { return int(m_queue.size()); }
    // The number of pages the last preview showed.
    int previewPages() const { return m_previewPages; }

    Answer message(const Message &message) override;
    std::optional<QString> openFile(const OpenFileRequest &request) override;
    std::optional<QString> saveFile(const SaveFileRequest &request) override;
    std::optional<CharAttributes> font(const FontRequest &request) override;
    std::optional<quint32> color(quint32 initial) override;
    std::optional<int> number(const NumberRequest &request) override;
    bool print(QPrinter &printer) override;
    bool printerSetup(QPrinter &printer) override;
    void printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) override;

private:
    struct Expectation
    {
        Kind kind = Kind::Message;
        QString text{};
        Answer answer = Answer::Cancel;
        Match match = Match::Exact;
        std::optional<QString> path{};
        std::optional<CharAttributes> font{};
        std::optional<quint32> color{};
        std::optional<int> number{};
        bool accept = false;
        std::function<void(QPrinter &)> choose{};
    };

    static bool matches(const Expectation &e, const QString &text);
    // The next expectation if it is of this kind (and text, for messages).
    std::optional<Expectation> take(Kind kind, const QString &text, const QString &caption);

    std::deque<Expectation> m_queue;
    QList<Record> m_log;
    OpenFileRequest m_lastOpen;
    SaveFileRequest m_lastSave;
    FontRequest m_lastFont;
    NumberRequest m_lastNumber;
    int m_previewPages = -1;
};

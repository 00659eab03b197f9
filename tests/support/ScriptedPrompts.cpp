#include "ScriptedPrompts.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

namespace {

const char *kindName(ScriptedPrompts::Kind kind)
{
    switch (kind) {
    case ScriptedPrompts::Kind::Message:
        return "message";
    case ScriptedPrompts::Kind::OpenFile:
        return "open dialog";
    case ScriptedPrompts::Kind::SaveFile:
        return "save dialog";
    case ScriptedPrompts::Kind::Font:
        return "font dialog";
    case ScriptedPrompts::Kind::Color:
        return "colour dialog";
    case ScriptedPrompts::Kind::Number:
        return "number dialog";
    case ScriptedPrompts::Kind::Print:
        return "print dialog";
    case ScriptedPrompts::Kind::PrinterSetup:
        return "printer set-up dialog";
    case ScriptedPrompts::Kind::PrintPreview:
        return "print preview";
    }
    return "prompt";
}

void fail(const QString &what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

} // namespace

bool ScriptedPrompts::matches(const Expectation &e, const QString &text)
{
    switch (e.match) {
    case Match::Contains:
        return text.contains(e.text);
    case Match::ReasonBelow:
        return text.startsWith(e.text + QLatin1Char('\n')) && text.size() > e.text.size() + 1;
    case Match::Exact:
        break;
    }
    return text == e.text;
}

ScriptedPrompts::ScriptedPrompts()
{
    installPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    installPrompts(nullptr);
    for (const auto &e : m_queue)
        fail(QStringLiteral("expected %1 was never shown: \"%2\"")
                 .arg(QLatin1String(kindName(e.kind)), e.text));
}

std::optional<ScriptedPrompts::Expectation> ScriptedPrompts::take(Kind kind, const QString &text,
                                                                  const QString &caption)
{
    m_log.append({kind, text, caption});
    if (m_queue.empty()) {
        fail(QStringLiteral("unexpected %1: \"%2\"").arg(QLatin1String(kindName(kind)), text));
        return std::nullopt;
    }
    Expectation e = m_queue.front();
    m_queue.pop_front();
    if (e.kind != kind || (kind == Kind::Message && !matches(e, text))) {
        fail(
            QStringLiteral("expected %1 \"%2\" but got %3 \"%4\"")
                .arg(QLatin1String(kindName(e.kind)), e.text, QLatin1String(kindName(kind)), text));
        return std::nullopt;
    }
    return e;
}

void ScriptedPrompts::expectMessage(const QString &text, Answer answer)
{
    m_queue.push_back({.kind = Kind::Message, .text = text, .answer = answer});
}

void ScriptedPrompts::expectMessageContaining(const QString &fragment, Answer answer)
{
    m_queue.push_back(
        {.kind = Kind::Message, .text = fragment, .answer = answer, .match = Match::Contains});
}

void ScriptedPrompts::expectFailure(const QString &message)
{
    m_queue.push_back({.kind = Kind::Message,
                       .text = message,
                       .answer = Answer::Ok,
                       .match = Match::ReasonBelow});
}

void ScriptedPrompts::expectOpenFile(std::optional<QString> path)
{
    m_queue.push_back({.kind = Kind::OpenFile, .path = std::move(path)});
}

void ScriptedPrompts::expectSaveFile(std::optional<QString> path)
{
    m_queue.push_back({.kind = Kind::SaveFile, .path = std::move(path)});
}

void ScriptedPrompts::expectFont(std::optional<CharAttributes> font)
{
    m_queue.push_back({.kind = Kind::Font, .font = std::move(font)});
}

void ScriptedPrompts::expectColor(std::optional<quint32> color)
{
    m_queue.push_back({.kind = Kind::Color, .color = color});
}

void ScriptedPrompts::expectNumber(std::optional<int> number)
{
    m_queue.push_back({.kind = Kind::Number, .number = number});
}

void ScriptedPrompts::expectPrint(bool accept)
{
    m_queue.push_back({.kind = Kind::Print, .accept = accept});
}

void ScriptedPrompts::expectPrintToFile(const QString &pdfPath)
{
    m_queue.push_back({.kind = Kind::Print, .path = pdfPath, .accept = true});
}

void ScriptedPrompts::expectPrinterSetup(bool accept, std::function<void(QPrinter &)> choose)
{
    m_queue.push_back({.kind = Kind::PrinterSetup, .accept = accept, .choose = std::move(choose)});
}

void ScriptedPrompts::expectPrintPreview()
{
    m_queue.push_back({.kind = Kind::PrintPreview});
}

Prompts::Answer ScriptedPrompts::message(const Message &message)
{
    const auto e = take(Kind::Message, message.text, message.caption);
    if (e)
        return e->answer;
    return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<QString> ScriptedPrompts::openFile(const OpenFileRequest &request)
{
    m_lastOpen = request;
    const auto e = take(Kind::OpenFile, request.fileName, request.title);
    return e ? e->path : std::nullopt;
}

std::optional<QString> ScriptedPrompts::saveFile(const SaveFileRequest &request)
{
    m_lastSave = request;
    const auto e = take(Kind::SaveFile, request.fileName, request.title);
    return e ? e->path : std::nullopt;
}

std::optional<CharAttributes> ScriptedPrompts::font(const FontRequest &request)
{
    m_lastFont = request;
    const auto e = take(Kind::Font, request.initial.name, {});
    return e ? e->font : std::nullopt;
}

std::optional<quint32> ScriptedPrompts::color(quint32 initial)
{
    const auto e = take(Kind::Color, QString::number(initial, 16), {});
    return e ? e->color : std::nullopt;
}

std::optional<int> ScriptedPrompts::number(const NumberRequest &request)
{
    m_lastNumber = request;
    const auto e = take(Kind::Number, request.label, request.title);
    return e ? e->number : std::nullopt;
}

bool ScriptedPrompts::print(QPrinter &printer)
{
    const auto e = take(Kind::Print, printer.outputFileName(), printer.docName());
    if (e && e->path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*e->path);
    }
    return e && e->accept;
}

bool ScriptedPrompts::printerSetup(QPrinter &printer)
{
    const auto e = take(Kind::PrinterSetup, {}, {});
    if (e && e->accept && e->choose)
        e->choose(printer);
    return e && e->accept;
}

void ScriptedPrompts::printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint)
{
    if (!take(Kind::PrintPreview, printer.outputFileName(), printer.docName()))
        return;
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview, paint);
    preview.updatePreview();
    m_previewPages = preview.pageCount();
}

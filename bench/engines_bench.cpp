// Measures the text engines on generated documents held in the rich-edit
// control: the code-page conversions and EngToLower, Find Next and Replace
// All, each end to end through the control, and apart from it the pure work
// on the bytes; and the Find & Replace dialog's Find over three open
// documents. Prints one figure per line: name value unit.
//
//   engines_bench [--sizes 1,20]    document sizes in MB
//
// Writing a text into the control makes Qt lay all of it out at once; the
// *_control_write figures show that cost, the *_engine figures what is left.

#include "BenchUtil.h"

#include "editor/MDIEdit.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/Prompts.h"
#include "search/FindReplace.h"
#include "search/uniFind.h"
#include "settings/SettingsStore.h"
#include "shell/MDIFrame.h"
#include "transform/CaseConversion.h"
#include "transform/CodePages.h"
#include "transform/Utf8Conversion.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

constexpr int kMatchesPerMB = 50000; // a million on 20 MB

bool failed = false;

// A wrong result makes the run fail, so that the smoke test notices.
void reportError(const QString &name, double value, const char *unit)
{
    failed = true;
    bench::report(name, value, unit);
}

// The control as the engine sees it, with the time spent reading and
// writing its text added up.
class TimedEdit : public SearchableEdit
{
public:
    explicit TimedEdit(TRichEdit *edit)
        : m_edit(RichEditSearchable::of(edit))
    {}

    QByteArray wholeText() const override
    {
        QByteArray text;
        readMs += bench::timeMs([&] { text = m_edit->wholeText(); });
        return text;
    }
    void setWholeText(QByteArrayView bytes) override
    {
        writeMs += bench::timeMs([&] { m_edit->setWholeText(bytes); });
    }
    void workOnText(const std::function<bool()> &step,
                    const std::function<int()> &percentDone) override
    {
        m_edit->workOnText(step, percentDone);
    }
    int selStart() const override { return m_edit->selStart(); }
    void setSelStart(int start) override { m_edit->setSelStart(start); }
    int selLength() const override { return m_edit->selLength(); }
    void setSelLength(int length) override { m_edit->setSelLength(length); }
    QByteArray selText() const override { return m_edit->selText(); }
    void setSelText(QByteArrayView bytes) override { m_edit->setSelText(bytes); }
    void focus() override { m_edit->focus(); }
    void scrollCaret() override { m_edit->scrollCaret(); }

    mutable double readMs = 0;
    double writeMs = 0;

private:
    RichEditSearchable *m_edit;
};

// Text in memory only, for the engine's own share.
class MemoryEdit : public SearchableEdit
{
public:
    QByteArray wholeText() const override { return text; }
    void setWholeText(QByteArrayView bytes) override { text = bytes.toByteArray(); }
    int selStart() const override { return start; }
    void setSelStart(int s) override
    {
        start = s;
        length = 0;
    }
    int selLength() const override { return length; }
    void setSelLength(int l) override { length = l; }
    QByteArray selText() const override { return text.mid(start, length); }
    void setSelText(QByteArrayView bytes) override { text.replace(start, length, bytes); }
    void focus() override {}
    void scrollCaret() override {}

    QByteArray text;
    int start = 0;
    int length = 0;
};

// A document of about `bytes` bytes holding "qq" exactly `matches` times,
// spread evenly, and nowhere else. No cut falls between a CR and its LF.
QByteArray documentWithMatches(qsizetype bytes, int matches)
{
    const QByteArray base = bench::mixedDocument(bytes - 3 * qsizetype(matches));
    QByteArray out;
    out.reserve(bytes + 64);
    const qsizetype step = base.size() / std::max(matches, 1);
    qsizetype pos = 0;
    for (int i = 0; i < matches; ++i) {
        qsizetype end = std::max(pos, (i + 1) * step);
        if (end > 0 && end < base.size() && base.at(end - 1) == '\r')
            ++end;
        out += base.mid(pos, end - pos) + " qq";
        pos = end;
    }
    out += base.mid(pos);
    return out;
}

// Answers every message with OK at once: a search that finds nothing says
// so, and nobody is there to close the box.
class QuietPrompts : public Prompts
{
public:
    QuietPrompts() { installPrompts(this); }
    ~QuietPrompts() override { installPrompts(nullptr); }
    Answer message(const Message &) override { return Answer::Ok; }
    std::optional<QString> openFile(const OpenFileRequest &) override { return {}; }
    std::optional<QString> saveFile(const SaveFileRequest &) override { return {}; }
    std::optional<CharAttributes> font(const FontRequest &) override { return {}; }
    std::optional<quint32> color(quint32) override { return {}; }
    std::optional<int> number(const NumberRequest &) override { return {}; }
    bool print(QPrinter &) override { return false; }
    bool printerSetup(QPrinter &) override { return false; }
    void printPreview(QPrinter &, const std::function<void(QPrinter *)> &) override {}
};

// Find from the start with "All open documents" over three documents of
// which only the third holds the text, at its end, against Find with
// "Current document" in each of them. The frame shows the active document
// maximised and the others restored: activating one gives its control a new
// width, and selecting a match at the end then lays the whole document out
// again. So each single search is measured right after its document was
// activated, as the loop searches it, and once more with the document laid
// out before.
void findInAllDocuments(const QString &tag, const QByteArray &doc)
{
    QuietPrompts prompts;
    QTemporaryDir dir;
    const QString settings = SettingsStore::setLocation(dir.filePath(QStringLiteral("s.ini")));
    TFrameForm frame;
    frame.resize(800, 600);
    frame.show();
    QList<TEditForm *> docs;
    for (int i = 0; i < 3; ++i) {
        frame.New1Click();
        docs << frame.activeEditWindow();
        docs.back()->Editor->setTextLimit(0x7FFFFFFF);
        docs.back()->Editor->setWholeText(i == 2 ? doc + "zqxj" : doc);
    }
    TfrmFind &find = *frame.frmFind;
    const auto activate = [&](TEditForm *w) {
        frame.MDIArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(w->parentWidget()));
        w->Find1Click();
    };
    const auto singleSearches = [&](bool laidOut) {
        double ms = 0;
        for (TEditForm *w : docs) {
            activate(w);
            if (laidOut)
                (void)w->Editor->document()->pageCount();
            ms += bench::timeMs([&] { find.btnFindClick(); });
        }
        return ms;
    };
    find.cbFind->setEditText(QStringLiteral("ZQXJ"));
    find.RadioButtonStart->setChecked(true);
    find.RadioButtonThis->setChecked(true);
    const double single = singleSearches(false);
    const double singleLaidOut = singleSearches(true);

    find.RadioButtonAll->setChecked(true);
    activate(docs.front());
    const double all = bench::timeMs([&] { find.btnFindClick(); });
    if (frame.activeEditWindow() != docs.back() || docs.back()->Editor->selStart() != doc.size())
        reportError(tag + QStringLiteral("_ERROR_find_all_documents"), 1, "flag");
    bench::report(tag + QStringLiteral("_find_all_documents_3"), all, "ms");
    bench::report(tag + QStringLiteral("_find_3_single_documents"), single, "ms");
    bench::report(tag + QStringLiteral("_find_all_documents_vs_single"), all / single, "x");
    bench::report(tag + QStringLiteral("_find_3_single_documents_laid_out"), singleLaidOut, "ms");
    SettingsStore::setLocation(settings);
}

void run(double megabytes)
{
    const QString tag = QStringLiteral("%1MB").arg(megabytes);
    const auto name = [&](const char *what) {
        return tag + QLatin1Char('_') + QLatin1String(what);
    };
    const qsizetype size = qsizetype(megabytes * 1024 * 1024);
    const double mb = double(size) / (1024 * 1024);
    const QByteArray doc = bench::mixedDocument(size);

    TRichEdit edit;
    edit.setTextLimit(0x7FFFFFFF);
    edit.resize(800, 600);
    edit.show();

    // What one pass through the control costs. The first text an empty
    // control takes is laid out at once, as the caret must then move from
    // its end; a write that replaces text is laid out bit by bit, so the
    // commands are measured against one of those.
    bench::report(name("control_first_write"), bench::timeMs([&] { edit.setWholeText(doc); }),
                  "ms");
    const double writeMs = bench::timeMs([&] { edit.setWholeText(doc); });
    QByteArray read;
    const double readMs = bench::timeMs([&] { read = edit.wholeText(); });
    if (read != doc)
        reportError(name("ERROR_text_differs"), 1, "flag");
    bench::report(name("control_read"), readMs, "ms");
    bench::report(name("control_write"), writeMs, "ms");

    struct Command
    {
        const char *name;
        const ByteTable &table;
    };
    const Command commands[] = {
        {"Dos866_Win1251", codepages::dos866To1251()},
        {"Win1251_Dos866", codepages::win1251ToDos()},
        {"Koi8_Win1251", codepages::koi8To1251()},
        {"Win1251_Koi8", codepages::win1251ToKoi8()},
        {"EngToLower", upperToLowerTable()},
    };
    for (const Command &c : commands) {
        QByteArray copy = doc;
        const double pure = bench::timeMs([&] { copy = mapBytes(std::move(copy), c.table); });
        bench::report(name(c.name) + QStringLiteral("_bytes"), mb / (pure / 1000), "MB/s");
        const double total = bench::timeMs([&] { applyToWholeText(edit, c.table); });
        bench::report(name(c.name), total, "ms");
        bench::report(name(c.name) + QStringLiteral("_vs_read_write"), total / (readMs + writeMs),
                      "x");
    }

    // UTF-8 both ways: the text grows into UTF-8 and comes back whole.
    QByteArray utf8Text;
    const double toUtf8 = bench::timeMs([&] { utf8Text = utf8::fromWin1251(doc); });
    bench::report(name("Win1251_UTF8_bytes"), mb / (toUtf8 / 1000), "MB/s");
    const double fromUtf8 = bench::timeMs([&] { (void)utf8::toWin1251(utf8Text); });
    bench::report(name("UTF8_Win1251_bytes"), mb / (fromUtf8 / 1000), "MB/s");
    edit.setWholeText(doc);
    bench::report(name("Win1251_UTF8"), bench::timeMs([&] { convertWin1251ToUtf8(edit); }), "ms");
    bench::report(name("UTF8_Win1251"), bench::timeMs([&] { convertUtf8ToWin1251(edit); }), "ms");
    if (edit.wholeText() != doc)
        reportError(name("ERROR_utf8_round_trip"), 1, "flag");

    // Find Next with the only match at the very end. The control lays a new
    // text out bit by bit while the user works; selecting the match needs
    // that done up to the end, which is measured apart.
    edit.setWholeText(doc + "zqxj");
    bench::report(name("control_layout"),
                  bench::timeMs([&] { (void)edit.document()->pageCount(); }), "ms");
    for (const bool fast : {false, true}) {
        TFindReplace engine;
        engine.setShowDialogs(false);
        engine.setFast(fast);
        engine.setOptions(frDown);
        engine.setFindText(QStringLiteral("ZQXJ"));
        TimedEdit timed(&edit);
        engine.setEditControl(&timed);
        edit.setSelStart(0);
        const double total = bench::timeMs([&] { engine.FindNext(); });
        if (edit.selStart() != doc.size())
            reportError(name("ERROR_find"), edit.selStart(), "pos");
        const QString label = fast ? QStringLiteral("find_next_fast") : QStringLiteral("find_next");
        bench::report(name(qPrintable(label)), total, "ms");
        bench::report(name(qPrintable(label)) + QStringLiteral("_engine"), total - timed.readMs,
                      "ms");
    }

    // Replace All, growing every match by one byte.
    const int matches = std::max(1, int(kMatchesPerMB * megabytes));
    const QByteArray many = documentWithMatches(size, matches);
    const QString label = QStringLiteral("replace_all_%1_matches").arg(matches);
    {
        MemoryEdit memory;
        memory.text = many;
        TFindReplace engine;
        engine.setShowDialogs(false);
        engine.setEditControl(&memory);
        int replaced = 0;
        engine.setOnProgress([&](QObject *, int, bool &) { ++replaced; });
        const double ms =
            bench::timeMs([&] { engine.ReplaceAll(QStringLiteral("qq"), QStringLiteral("QQQ")); });
        if (memory.text.size() != many.size() + matches)
            reportError(name("ERROR_replace_all_length"), double(memory.text.size()), "bytes");
        bench::report(name(qPrintable(label)) + QStringLiteral("_bytes"), ms, "ms");
    }
    edit.setWholeText(many);
    TFindReplace engine;
    engine.setShowDialogs(false);
    TimedEdit timed(&edit);
    engine.setEditControl(&timed);
    const double total =
        bench::timeMs([&] { engine.ReplaceAll(QStringLiteral("qq"), QStringLiteral("QQQ")); });
    bench::report(name(qPrintable(label)), total, "ms");
    bench::report(name(qPrintable(label)) + QStringLiteral("_control_read"), timed.readMs, "ms");
    bench::report(name(qPrintable(label)) + QStringLiteral("_control_write"), timed.writeMs, "ms");
    bench::report(name(qPrintable(label)) + QStringLiteral("_engine"),
                  total - timed.readMs - timed.writeMs, "ms");
    if (edit.textLength() != many.size() + matches)
        reportError(name("ERROR_replace_all_control"), edit.textLength(), "bytes");

    findInAllDocuments(tag, doc);
}

} // namespace

int main(int argc, char *argv[])
{
    bench::useOffscreenByDefault();
    QApplication app(argc, argv);
    const QList<double> sizes = bench::sizesFrom(QApplication::arguments());
    for (double mb : sizes)
        run(mb);
    return failed ? 1 : 0;
}

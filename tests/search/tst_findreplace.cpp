#include "FakeEdit.h"
#include "ScriptedPrompts.h"
#include "TestFolder.h"

#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"
#include "search/FindReplace.h"
#include "transform/CaseConversion.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <memory>

namespace {

QByteArray cp(const QString &text)
{
    return ansi::encode(text);
}

// An engine driven by its host, as the program's own dialog drives it, with
// every event it raises written down.
struct Host
{
    explicit Host(const QString &text, TFindOptions options = frDown)
        : edit(cp(text))
    {
        engine.setShowDialogs(false);
        engine.setOptions(options);
        engine.setEditControl(&edit);
        engine.setOnFind([this](QObject *) { log << QStringLiteral("find"); });
        engine.setOnReplace([this](QObject *) { log << QStringLiteral("replace"); });
        engine.setOnReplacingAll([this](QObject *) { log << QStringLiteral("replacingAll"); });
        engine.setOnReplacedAll([this](QObject *) { log << QStringLiteral("replacedAll"); });
        engine.setOnNotFound([this](QObject *) { log << QStringLiteral("notFound"); });
        engine.setOnProgress([this](QObject *, int position, bool &terminate) {
            log << QStringLiteral("progress %1").arg(position);
            terminate = position == terminateAt;
        });
    }

    // Where the selection is after one search, or -1 when nothing was found.
    int search(bool first)
    {
        log.clear();
        first ? engine.Find() : engine.FindNext();
        if (log == QStringList{QStringLiteral("notFound")})
            return -1;
        if (log != QStringList{QStringLiteral("find")})
            return -2;
        return edit.start;
    }

    ScriptedPrompts prompts; // no search of the host's may show a message
    FakeEdit edit;
    TFindReplace engine;
    QStringList log;
    int terminateAt = -1;
};

// Replace All done the plain way: delete and insert in one working string,
// searching on after each replacement.
struct Reference
{
    QByteArray text;
    QList<int> progress;
};

Reference replaceAllByHand(const QByteArray &original, const QByteArray &find,
                           const QByteArray &replacement, TFindOptions options, int terminateAt)
{
    const auto fails = [&](const TMatchResult &m) {
        return ((options & frWholeWord) && !m.WholeWord) ||
               ((options & frMatchCase) && !m.ExactCase);
    };
    Reference r{original, {}};
    TMatchResult m = MatchForward(r.text, find, 0, true);
    while (m.Position >= 0) {
        if (fails(m)) {
            m = MatchForward(r.text, find, m.Position + 1, true);
            continue;
        }
        r.text.remove(m.Position, find.size());
        r.text.insert(m.Position, replacement);
        m = MatchForward(r.text, find, m.Position + int(replacement.size()), true);
        if (m.Position >= 0 && m.Position % 60 == 0) {
            r.progress << m.Position;
            if (m.Position == terminateAt) {
                r.text = original;
                return r;
            }
        }
    }
    return r;
}

} // namespace

Q_DECLARE_METATYPE(TFindOptions)

class TestFindReplace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<TFindOptions>("options");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QList<int>>("found"); // selection after each search, -1: not found

        const TFindOptions down = frDown;
        const TFindOptions up{};
        QTest::newRow("whole words") << "cat concat cat."
                                     << "cat" << (down | frWholeWord) << 0 << QList<int>{0, 11, -1};
        QTest::newRow("Cyrillic letters do not join words")
            << "миру мир"
            << "мир" << (down | frWholeWord) << 0 << QList<int>{0, 5, -1};
        QTest::newRow("whole word at the very end")
            << "xcat cat"
            << "cat" << (down | frWholeWord) << 0 << QList<int>{5, -1};
        QTest::newRow("match case") << "abc Abc"
                                    << "Abc" << (down | frMatchCase) << 0 << QList<int>{4, -1};
        QTest::newRow("any case") << "abc Abc"
                                  << "Abc" << down << 0 << QList<int>{0, 4, -1};
        QTest::newRow("Cyrillic in any case") << "Привет ПРИВЕТ ёж ЁЖ"
                                              << "привет" << down << 0 << QList<int>{0, 7, -1};
        QTest::newRow("ё and Ё") << "ёж ЁЖ"
                                 << "ЁЖ" << (down | frMatchCase) << 0 << QList<int>{3, -1};
        QTest::newRow("overlapping occurrences") << "aaa"
                                                 << "aa" << down << 0 << QList<int>{0, 1, -1};
        QTest::newRow("from a caret, one character on") << "xab ab"
                                                        << "ab" << down << 1 << QList<int>{4, -1};
        QTest::newRow("across a line break") << "ab\r\ncd"
                                             << "b\r\nc" << down << 0 << QList<int>{1, -1};
        QTest::newRow("upwards from the very end") << "ab ab ab"
                                                   << "ab" << up << 8 << QList<int>{6, 3, 0, -1};
        QTest::newRow("upwards takes one ending just after the caret")
            << "ab ab"
            << "ab" << up << 4 << QList<int>{3, 0, -1};
        QTest::newRow("upwards with whole words")
            << "cat concat cat"
            << "cat" << (up | frWholeWord) << 14 << QList<int>{11, 0, -1};
        QTest::newRow("upwards, one character at a time")
            << "a a a"
            << "a" << up << 5 << QList<int>{4, 2, 0, -1};
        QTest::newRow("upwards past a one-character reject")
            << "ba a"
            << "a" << (up | frWholeWord) << 4 << QList<int>{3, -1};
        QTest::newRow("upwards past an overlapping reject")
            << "AAAa"
            << "AAA" << (up | frMatchCase) << 4 << QList<int>{0, -1};
        QTest::newRow("upwards from the start") << "ab"
                                                << "ab" << up << 0 << QList<int>{-1};
        QTest::newRow("empty find text") << "abc"
                                         << "" << down << 0 << QList<int>{-1};
        QTest::newRow("character outside the code page") << "a?c"
                                                         << "a日c" << down << 0 << QList<int>{-1};
        QTest::newRow("empty text") << ""
                                    << "a" << down << 0 << QList<int>{-1};
    }

    void searches()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(TFindOptions, options);
        QFETCH(int, caret);
        QFETCH(QList<int>, found);
        for (const bool fast : {false, true}) {
            Host host(text, options);
            host.engine.setFast(fast);
            host.engine.setFindText(find);
            host.edit.setSelStart(caret);
            QList<int> got;
            for (int i = 0; i < found.size(); ++i) {
                const int before = host.edit.start;
                got << host.search(i == 0);
                if (got.last() >= 0) {
                    QCOMPARE(host.edit.length, int(find.size()));
                    QCOMPARE(ansiUpper(host.edit.selText()), ansiUpper(cp(find)));
                } else {
                    QCOMPARE(host.edit.start, before); // the selection stays
                }
            }
            QCOMPARE(got, found);
            QCOMPARE(host.edit.writes, 0);
        }
    }

    void foundMatchIsFocusedAndScrolledTo()
    {
        Host host(QStringLiteral("one two"));
        host.engine.setFindText(QStringLiteral("two"));
        host.engine.FindNext();
        QCOMPARE(host.edit.focused, 1);
        QCOMPARE(host.edit.scrolled, 1);
        host.log.clear();
        host.engine.FindNext();
        QCOMPARE(host.log, QStringList{QStringLiteral("notFound")});
        QCOMPARE(host.edit.focused, 1);
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<TFindOptions>("options");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("written");

        const TFindOptions none{};
        QTest::newRow("a by b") << "aaa"
                                << "a"
                                << "b" << none << "bbb" << true;
        QTest::newRow("growing, never searched again") << "aa"
                                                       << "a"
                                                       << "aa" << none << "aaaa" << true;
        QTest::newRow("shrinking") << "abcabc"
                                   << "b"
                                   << "" << none << "acac" << true;
        QTest::newRow("only other cases, with match case")
            << "AAA"
            << "a"
            << "b" << TFindOptions(frMatchCase) << "AAA" << false;
        QTest::newRow("any case") << "Мир мир МИР"
                                  << "мир"
                                  << "x" << none << "x x x" << true;
        QTest::newRow("whole words")
            << "cat concat cat"
            << "cat"
            << "dog" << TFindOptions(frWholeWord) << "dog concat dog" << true;
        // The word test reads the text as it stands after the replacement
        // before: the second full stop follows a letter by then.
        QTest::newRow("whole word after a replacement")
            << ".."
            << "."
            << "z" << TFindOptions(frWholeWord) << "z." << true;
        QTest::newRow("empty find text") << "abc"
                                         << ""
                                         << "x" << none << "abc" << false;
        QTest::newRow("not there") << "abc"
                                   << "x"
                                   << "y" << none << "abc" << false;
        QTest::newRow("direction does not matter") << "ab ab"
                                                   << "ab"
                                                   << "c" << TFindOptions() << "c c" << true;
    }

    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(TFindOptions, options);
        QFETCH(QString, result);
        QFETCH(bool, written);
        Host host(text, options);
        host.edit.setSelStart(int(text.size()));
        host.engine.ReplaceAll(find, replacement);
        QCOMPARE(host.edit.text, cp(result));
        QCOMPARE(host.edit.writes, written ? 1 : 0);
        QCOMPARE(host.edit.reads, 1);
        QCOMPARE(host.log,
                 QStringList({QStringLiteral("replacingAll"), QStringLiteral("replacedAll"),
                              QStringLiteral("notFound")}));
    }

    void replaceAllMatchesTheWorkingStringAlgorithm()
    {
        static const char *const finds[] = {"a", "ab", "A.", "aa", ". ", "b", "aAa", ".", " a"};
        QRandomGenerator rng(2024);
        for (int round = 0; round < 400; ++round) {
            QByteArray text(int(rng.bounded(0, 600)), Qt::Uninitialized);
            for (char &c : text)
                c = "aAb. _"[rng.bounded(6)];
            const QByteArray find = finds[rng.bounded(int(std::size(finds)))];
            QByteArray replacement(int(rng.bounded(0, 4)), Qt::Uninitialized);
            for (char &c : replacement)
                c = "aAb. "[rng.bounded(5)];
            TFindOptions options;
            options.setFlag(frWholeWord, rng.bounded(2));
            options.setFlag(frMatchCase, rng.bounded(2));

            Reference free = replaceAllByHand(text, find, replacement, options, -1);
            const int terminateAt =
                !free.progress.isEmpty() && rng.bounded(2) ? free.progress.first() : -1;
            Reference expected = replaceAllByHand(text, find, replacement, options, terminateAt);

            Host host(QString::fromLatin1(text), options);
            host.terminateAt = terminateAt;
            host.engine.ReplaceAll(QString::fromLatin1(find), QString::fromLatin1(replacement));
            QList<int> progress;
            for (const QString &entry : std::as_const(host.log))
                if (entry.startsWith(QLatin1String("progress ")))
                    progress << entry.mid(9).toInt();
            const QString context =
                QStringLiteral("round %1: '%2' by '%3' in '%4'")
                    .arg(round)
                    .arg(QString::fromLatin1(find), QString::fromLatin1(replacement),
                         QString::fromLatin1(text));
            QVERIFY2(host.edit.text == expected.text, qPrintable(context));
            QVERIFY2(progress == expected.progress, qPrintable(context));
            QCOMPARE(host.log.contains(QStringLiteral("replacedAll")), terminateAt < 0);
        }
    }

    void progressEveryMultipleOfSixty()
    {
        Host host(QString(QStringLiteral("ab")).repeated(100));
        host.engine.ReplaceAll(QStringLiteral("a"), QStringLiteral("c"));
        QCOMPARE(host.edit.text, QString(QStringLiteral("cb")).repeated(100).toLatin1());
        QCOMPARE(host.log,
                 QStringList({QStringLiteral("replacingAll"), QStringLiteral("progress 60"),
                              QStringLiteral("progress 120"), QStringLiteral("progress 180"),
                              QStringLiteral("replacedAll"), QStringLiteral("notFound")}));
    }

    void terminateAtSixtyKeepsTheText()
    {
        const QString text = QString(QStringLiteral("ab")).repeated(100);
        Host host(text);
        host.terminateAt = 60;
        host.engine.ReplaceAll(QStringLiteral("a"), QStringLiteral("c"));
        QCOMPARE(host.edit.text, text.toLatin1());
        QCOMPARE(host.edit.writes, 0);
        QCOMPARE(host.log,
                 QStringList({QStringLiteral("replacingAll"), QStringLiteral("progress 60")}));
    }

    // The search goes a stride at a time; the text is `tail` after dashes
    // that end `at` bytes from the first stride's end.
    void replaceAllAcrossStrides_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("find");
        QTest::addColumn<TFindOptions>("options");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("progress");

        const TFindOptions none{};
        QTest::newRow("ends at the seam") << -3 << "fox"
                                          << "fox" << none << "wolf" << 1 << QList<int>{};
        QTest::newRow("across the seam") << -1 << "fox"
                                         << "fox" << none << "wolf" << 1 << QList<int>{};
        QTest::newRow("starts at the seam") << 0 << "fox"
                                            << "fox" << none << "wolf" << 1 << QList<int>{};
        QTest::newRow("a word joins it before the seam")
            << -2 << "xfox fox"
            << "fox" << TFindOptions(frWholeWord) << "xfox wolf" << 1 << QList<int>{};
        // The second ". " follows the written "wolf" across the seam.
        QTest::newRow("written word before it across the seam")
            << -2 << ". . "
            << ". " << TFindOptions(frWholeWord) << "wolf. " << 1 << QList<int>{};
        // The occurrence after the first replacement, a stride later, is
        // reported: it is at a multiple of 60 in the working text.
        const int stride = int(TFindReplace::kReplaceStride);
        const int reported = (stride / 60 + 1) * 60;
        const QString gap(reported - 4, u'-');
        QTest::newRow("progress a stride later")
            << -stride << QStringLiteral("fox") + gap + QStringLiteral("fox") << "fox" << none
            << QStringLiteral("wolf") + gap + QStringLiteral("wolf") << 2 << QList<int>{reported};
    }

    void replaceAllAcrossStrides()
    {
        QFETCH(int, at);
        QFETCH(QString, tail);
        QFETCH(QString, find);
        QFETCH(TFindOptions, options);
        QFETCH(QString, result);
        QFETCH(int, count);
        QFETCH(QList<int>, progress);
        const QString dashes(int(TFindReplace::kReplaceStride) + at, u'-');
        Host host(dashes + tail, options);
        host.engine.ReplaceAll(find, QStringLiteral("wolf"));
        QCOMPARE(host.edit.text, cp(dashes + result));
        QCOMPARE(host.engine.replacedCount(), count);
        QList<int> reported;
        for (const QString &entry : std::as_const(host.log))
            if (entry.startsWith(QLatin1String("progress ")))
                reported << entry.mid(9).toInt();
        QCOMPARE(reported, progress);
    }

    void replaceSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<TFindOptions>("options");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("events");

        const QStringList replaced{QStringLiteral("replace")};
        QTest::newRow("selection is the text")
            << "one two" << 4 << 3 << TFindOptions(frDown) << "one 2" << replaced;
        QTest::newRow("selection in another case")
            << "one TwO" << 4 << 3 << TFindOptions(frDown) << "one 2" << replaced;
        QTest::newRow("another case, with match case")
            << "one TwO" << 4 << 3 << (frDown | frMatchCase) << "one TwO" << replaced;
        QTest::newRow("selection is something else")
            << "one two" << 0 << 3 << TFindOptions(frDown) << "one two" << replaced;
        QTest::newRow("Cyrillic in another case")
            << "два ДВА" << 4 << 3 << TFindOptions(frDown) << "два 2" << replaced;
        QTest::newRow("no selection: found first")
            << "one two two" << 0 << 0 << TFindOptions(frDown) << "one 2 two"
            << QStringList{QStringLiteral("find"), QStringLiteral("replace")};
        QTest::newRow("no selection, nothing found")
            << "one two" << 5 << 0 << TFindOptions(frDown) << "one two"
            << QStringList{QStringLiteral("notFound")};
        QTest::newRow("all, once something is selected")
            << "two one two" << 0 << 0 << (frDown | frReplaceAll) << "2 one 2"
            << QStringList{QStringLiteral("find"), QStringLiteral("replacingAll"),
                           QStringLiteral("replacedAll"), QStringLiteral("notFound"),
                           QStringLiteral("replace")};
    }

    void replaceSelection()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(TFindOptions, options);
        QFETCH(QString, result);
        QFETCH(QStringList, events);
        const bool russian = text.startsWith(QStringView(u"два"));
        Host host(text, options);
        host.engine.setFindText(russian ? QStringLiteral(u"два") : QStringLiteral("two"));
        host.engine.setReplaceText(QStringLiteral("2"));
        host.edit.select(selStart, selLength);
        host.engine.Replace();
        QCOMPARE(host.edit.text, cp(result));
        QCOMPARE(host.log, events);
    }

    // Replace writes in the code page: a character it lacks is refused with
    // a word instead of turning into "?".
    void replaceRefusesWhatTheCodePageLacks_data()
    {
        QTest::addColumn<TFindOptions>("options");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("named");
        QTest::newRow("one") << TFindOptions(frDown) << QStringLiteral(u"café")
                             << QStringLiteral(u"é");
        QTest::newRow("all") << TFindOptions(frDown | frReplaceAll) << QStringLiteral(u"x😀")
                             << QStringLiteral(u"😀");
    }

    void replaceRefusesWhatTheCodePageLacks()
    {
        QFETCH(TFindOptions, options);
        QFETCH(QString, replacement);
        QFETCH(QString, named);
        Host host(QStringLiteral("two two"), options);
        host.engine.setFindText(QStringLiteral("two"));
        host.engine.setReplaceText(replacement);
        host.edit.select(0, 3);
        host.prompts.expectMessage(
            QStringLiteral("\"%1\" is not in Windows-1251: Replace cannot write it into the text.")
                .arg(named));
        host.engine.Replace();
        QCOMPARE(host.edit.text, cp(QStringLiteral("two two")));
        QCOMPARE(host.edit.writes, 0);
        QVERIFY(host.log.isEmpty());
    }

    void withoutControlNothingHappens_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("Find") << 0;
        QTest::newRow("FindNext") << 1;
        QTest::newRow("Replace") << 2;
        QTest::newRow("ReplaceAll") << 3;
    }

    void withoutControlNothingHappens()
    {
        QFETCH(int, operation);
        Host host(QStringLiteral("abc"));
        host.engine.setFindText(QStringLiteral("b"));
        host.engine.setEditControl(nullptr);
        const auto run = [&] {
            switch (operation) {
            case 0:
                host.engine.Find();
                break;
            case 1:
                host.engine.FindNext();
                break;
            case 2:
                host.engine.Replace();
                break;
            default:
                host.engine.ReplaceAll(QStringLiteral("b"), QStringLiteral("x"));
            }
        };
        try {
            run();
            QFAIL("no error raised");
        } catch (const FindReplaceError &e) {
            QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("No editcontrol assigned!"));
        }
        QVERIFY(host.log.isEmpty());
        QCOMPARE(host.edit.reads, 0);
    }

    void destroyedControlIsLetGo()
    {
        TFindReplace engine;
        auto *edit = new TRichEdit;
        engine.setEditControl(RichEditSearchable::of(edit));
        QVERIFY(engine.EditControl());
        delete edit;
        QCOMPARE(engine.EditControl(), nullptr);
        QVERIFY_THROWS_EXCEPTION(FindReplaceError, engine.FindNext());
    }

    void worksOnTheRichEditControl()
    {
        ScriptedPrompts prompts;
        TRichEdit edit;
        edit.setWholeText(cp(QStringLiteral("первая line\r\nвторая LINE\r\n")));
        TFindReplace engine;
        engine.setShowDialogs(false);
        engine.setOptions(frDown | frWholeWord);
        engine.setEditControl(RichEditSearchable::of(&edit));
        QCOMPARE(RichEditSearchable::of(&edit), engine.EditControl()); // one adapter
        engine.setFindText(QStringLiteral("line"));
        engine.Find();
        QCOMPARE(edit.selStart(), 7);
        QCOMPARE(edit.selText(), QByteArray("line"));
        engine.FindNext();
        QCOMPARE(edit.selStart(), 20);
        QCOMPARE(edit.selText(), QByteArray("LINE"));

        engine.setReplaceText(QStringLiteral("строка"));
        engine.Replace();
        QCOMPARE(edit.wholeText(), cp(QStringLiteral("первая line\r\nвторая строка\r\n")));
        edit.setModified(false);
        engine.ReplaceAll(QStringLiteral("ПЕРВАЯ"), QStringLiteral("1"));
        QCOMPARE(edit.wholeText(), cp(QStringLiteral("1 line\r\nвторая строка\r\n")));
        QVERIFY(edit.isModified());
    }

    // Replace All in an RTF document changes the occurrences where they are:
    // bold stays bold, the table stays a table, and one Undo brings the
    // document back.
    void replaceAllKeepsAnRtfDocumentsFormatting()
    {
        ScriptedPrompts prompts;
        const TestFolder folder;
        TRichEdit edit;
        edit.setPlainTextMode(false); // as the edit window has it for an .rtf name
        edit.loadFromFile(folder.write(
            QStringLiteral("letter.rtf"),
            "{\\rtf1 {\\b cat} and cat\\par\\trowd\\cellx1000\\cellx2000\\intbl cat\\cell"
            " dog\\cell\\row\\pard end cat}"));
        const QByteArray before = edit.wholeText();
        TFindReplace engine;
        engine.setShowDialogs(false);
        engine.setOptions(frDown);
        engine.setEditControl(RichEditSearchable::of(&edit));
        engine.ReplaceAll(QStringLiteral("cat"), QStringLiteral("кошка"));

        QCOMPARE(engine.replacedCount(), 4);
        QByteArray expected = before;
        expected.replace("cat", cp(QStringLiteral("кошка")));
        QCOMPARE(edit.wholeText(), expected);
        QTextDocument &doc = *edit.document();
        QTextCursor bold(&doc);
        bold.setPosition(1);
        QVERIFY(bold.charFormat().fontWeight() >= QFont::Bold);
        bold.setPosition(12);
        QVERIFY(bold.charFormat().fontWeight() < QFont::Bold);
        QTextCursor cell(&doc);
        cell.movePosition(QTextCursor::NextBlock);
        QVERIFY(cell.currentTable());
        QCOMPARE(cell.currentTable()->cellAt(0, 0).firstCursorPosition().block().text(),
                 QStringLiteral("кошка"));
        doc.undo();
        QCOMPARE(edit.wholeText(), before);
    }

    void settersReachTheDialogs()
    {
        TFindReplace engine;
        engine.setFindText(QStringLiteral("early"));
        engine.setReplaceText(QStringLiteral("late"));
        engine.setOptions(frDown | frMatchCase);
        engine.setCtl3D(false);
        engine.setHelpContext(7);
        for (FindDialog *d :
             {engine.findDialog(), static_cast<FindDialog *>(engine.replaceDialog())}) {
            QVERIFY(d);
            QCOMPARE(d->options(), frDown | frMatchCase);
            QCOMPARE(d->findText(), QStringLiteral("early"));
            QCOMPARE(d->ctl3D(), false);
            QCOMPARE(d->helpContext(), 7);
        }
        QCOMPARE(engine.replaceDialog()->replaceText(), QStringLiteral("late"));

        engine.setFindText(QStringLiteral("next"));
        QCOMPARE(engine.replaceDialog()->findText(), QStringLiteral("next"));

        // With dialogs shown, the texts are what the dialogs hold; without,
        // what the host set.
        engine.findDialog()->setFindText(QStringLiteral("typed"));
        engine.replaceDialog()->setReplaceText(QStringLiteral("typed too"));
        QCOMPARE(engine.FindText(), QStringLiteral("typed"));
        QCOMPARE(engine.ReplaceText(), QStringLiteral("typed too"));
        engine.setShowDialogs(false);
        QCOMPARE(engine.FindText(), QStringLiteral("next"));
        QCOMPARE(engine.ReplaceText(), QStringLiteral("late"));
        engine.findDialog()->setOptions(frWholeWord);
        QCOMPARE(engine.Options(), TFindOptions(frWholeWord));
    }
};

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"

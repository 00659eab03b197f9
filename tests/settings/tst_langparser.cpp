// The syntax style set: built-in styles, prefixes built from fonts, the
// switch between the two, keywords and the control it names.

#include "FontPrinting.h"
#include "platform/richedit/TRichEdit.h"
#include "settings/LParser.h"

#include <QTest>

namespace {

constexpr quint32 kNavy = 0x800000;
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kOlive = 0x008080;
constexpr quint32 kBlue = 0xFF0000;

FontSpec font(const QString &name, int points, quint32 color, int style)
{
    FontSpec f;
    f.pixelsPerInch = 96;
    f.name = name;
    f.setSize(points);
    f.color = color;
    f.style = style;
    return f;
}

using Style = TLangParser::Style;

void setStyle(TLangParser &p, Style s, const FontSpec &f)
{
    switch (s) {
    case TLangParser::Normal:
        return p.setNormalStyle(f);
    case TLangParser::Keyword:
        return p.setKeywordStyle(f);
    case TLangParser::Number:
        return p.setNumberStyle(f);
    case TLangParser::String:
        return p.setStringStyle(f);
    case TLangParser::Comment:
        return p.setCommentStyle(f);
    }
}

const FontSpec &styleFont(const TLangParser &p, Style s)
{
    switch (s) {
    case TLangParser::Keyword:
        return p.KeywordStyle();
    case TLangParser::Number:
        return p.NumberStyle();
    case TLangParser::String:
        return p.StringStyle();
    case TLangParser::Comment:
        return p.CommentStyle();
    case TLangParser::Normal:
        break;
    }
    return p.NormalStyle();
}

constexpr std::array kStyles{TLangParser::Normal, TLangParser::Keyword, TLangParser::Number,
                             TLangParser::String, TLangParser::Comment};

// The built-in prefixes, by style number.
const QStringList kBuiltIn{"\\f0\\fs20 ", "{\\b ", "{\\cf3 ", "{\\cf10 ", "{\\cf5\\i "};

void verifyBuiltIn(const TLangParser &p, const FontSpec &normal)
{
    for (const Style s : kStyles) {
        QCOMPARE(p.prefix(s), kBuiltIn[s]);
        QCOMPARE(p.prefixLength(s), int(kBuiltIn[s].size()));
    }
    QCOMPARE(p.NormalStyle(), normal);
    const auto derived = [&normal](int style, quint32 color) {
        FontSpec f = normal;
        f.style = style;
        f.color = color;
        return f;
    };
    QCOMPARE(p.CommentStyle(), derived(fontstyle::Italic, kNavy));
    QCOMPARE(p.StringStyle(), derived(0, kRed));
    QCOMPARE(p.KeywordStyle(), derived(fontstyle::Bold, normal.color));
    QCOMPARE(p.NumberStyle(), derived(0, kOlive));
}

FontSpec builtInNormal()
{
    FontSpec f;
    f.name = QStringLiteral("Courier New");
    f.setSize(10);
    return f;
}

} // namespace

Q_DECLARE_METATYPE(TLangParser::Style)

class TestLangParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aNewComponentHasTheBuiltInStyles()
    {
        TLangParser p;
        QVERIFY(p.UseDefaults());
        verifyBuiltIn(p, builtInNormal());
        QCOMPARE(p.normalFaceName(), QStringLiteral("Courier New"));
        QCOMPARE(p.ParseType(), ptAuto);
        QCOMPARE(p.MaxFileSize(), 0);
        QCOMPARE(p.StringDelimiter(), QChar(u'\''));
        QCOMPARE(p.OneLineComment(), QStringLiteral("//"));
        QCOMPARE(p.CommentStart(), QStringLiteral("{"));
        QCOMPARE(p.CommentEnd(), QStringLiteral("}"));
        QVERIFY(!p.UseCase());
        QVERIFY(p.Keywords().isEmpty() && p.ownKeywords().isEmpty());
        QCOMPARE(p.RichEdit(), nullptr);
    }

    void settingAStyleBuildsItsPrefix_data()
    {
        QTest::addColumn<Style>("style");
        QTest::addColumn<FontSpec>("font");
        QTest::addColumn<QString>("prefix");
        const QString courier = QStringLiteral("Courier New");
        QTest::newRow("keyword, 12 points, bold, underlined, blue")
            << TLangParser::Keyword
            << font(courier, 12, kBlue, fontstyle::Bold | fontstyle::Underline)
            << "{\\fs24\\cf13\\b\\ul ";
        QTest::newRow("normal in the window-text colour")
            << TLangParser::Normal
            << font(QStringLiteral("Lucida Console"), 10, wincolors::kWindowText, 0)
            << "\\f0\\fs20\\cf0 ";
        QTest::newRow("comment, navy, italic")
            << TLangParser::Comment << font(courier, 10, kNavy, fontstyle::Italic)
            << "{\\fs20\\cf14\\i ";
        QTest::newRow("grey is the first grey")
            << TLangParser::String << font(courier, 10, 0x808080, 0) << "{\\fs20\\cf4 ";
        QTest::newRow("every style bit in order")
            << TLangParser::Number << font(courier, 8, 0, 15) << "{\\fs16\\cf2\\b\\i\\ul\\strike ";
        QTest::newRow("a colour the table lacks")
            << TLangParser::String << font(courier, 10, 0x123456, 0) << "{\\fs20\\cf0 ";
        QTest::newRow("white, first of the table")
            << TLangParser::String << font(courier, 10, 0xFFFFFF, 0) << "{\\fs20\\cf1 ";
        QTest::newRow("cream, last but one")
            << TLangParser::Keyword << font(courier, 9, 0xF7FFFF, 0) << "{\\fs18\\cf19 ";
        QTest::newRow("another system colour")
            << TLangParser::Comment << font(courier, 10, 0x80000000, 0) << "{\\fs20\\cf0 ";
    }

    void settingAStyleBuildsItsPrefix()
    {
        QFETCH(Style, style);
        QFETCH(FontSpec, font);
        QFETCH(QString, prefix);
        TLangParser p;
        setStyle(p, style, font);
        QCOMPARE(p.prefix(style), prefix);
        QCOMPARE(p.prefixLength(style), int(prefix.size()));
        QCOMPARE(styleFont(p, style), font);
        QVERIFY(!p.UseDefaults());
        QCOMPARE(p.normalFaceName(),
                 style == TLangParser::Normal ? font.name : QStringLiteral("Courier New"));
        // The other styles keep their built-in fonts and prefixes.
        const FontSpec normal = builtInNormal();
        for (const Style other : kStyles) {
            if (other != style && other != TLangParser::Normal)
                QCOMPARE(p.prefix(other), kBuiltIn[other]);
        }
        if (style != TLangParser::Normal)
            QCOMPARE(p.NormalStyle(), normal);
    }

    void useDefaultsBringsBackTheBuiltInStyles()
    {
        TLangParser p;
        const FontSpec normal = font(QStringLiteral("Lucida Console"), 14, 0x0000FF, 1);
        p.setNormalStyle(normal);
        p.setCommentStyle(font(QStringLiteral("Arial"), 20, kBlue, 0));
        p.setUseDefaults(true);
        QVERIFY(p.UseDefaults());
        // Face, size and style come back; the colour and character set
        // stay those of the normal font.
        FontSpec expected = builtInNormal();
        expected.pixelsPerInch = normal.pixelsPerInch;
        expected.setSize(10);
        expected.color = normal.color;
        expected.charset = normal.charset;
        verifyBuiltIn(p, expected);
        QCOMPARE(p.normalFaceName(), QStringLiteral("Lucida Console"));
    }

    void ownKeywordsAreTakenOnlyUnderOwnParsing()
    {
        TLangParser p;
        const QStringList words{QStringLiteral("BEGIN"), QStringLiteral("END")};
        p.setKeywords(words);
        QCOMPARE(p.Keywords(), words);
        QVERIFY(p.ownKeywords().isEmpty());
        p.setParseType(ptOwn);
        QVERIFY(p.ownKeywords().isEmpty()); // not copied afterwards
        p.setKeywords(words);
        QCOMPARE(p.ownKeywords(), words);
        p.setParseType(ptPascal);
        p.setKeywords({QStringLiteral("IF")});
        QCOMPARE(p.ownKeywords(), words);
    }

    void theControlIsForgottenWhenItGoesAway()
    {
        TLangParser p;
        auto *edit = new TRichEdit;
        p.setRichEdit(edit);
        QCOMPARE(p.RichEdit(), edit);
        delete edit;
        QCOMPARE(p.RichEdit(), nullptr);
    }

    void delimitersHoldTwoCharactersAtMost()
    {
        TLangParser p;
        p.setCommentStart(QStringLiteral("(*x"));
        p.setCommentEnd(QStringLiteral("*)"));
        p.setOneLineComment(QStringLiteral("#"));
        QCOMPARE(p.CommentStart(), QStringLiteral("(*"));
        QCOMPARE(p.CommentEnd(), QStringLiteral("*)"));
        QCOMPARE(p.OneLineComment(), QStringLiteral("#"));
    }

    void aResourceBuildsThePrefixesFromItsFonts()
    {
        TLangParser::Resource r;
        r.NormalStyle = font(QStringLiteral("Arial"), 11, 0, 0);
        r.KeywordStyle = font(QStringLiteral("Arial"), 11, kBlue, fontstyle::Bold);
        r.StringStyle = font(QStringLiteral("Arial"), 11, kRed, 0);
        r.CommentStyle = font(QStringLiteral("Arial"), 11, kNavy, fontstyle::Italic);
        r.NumberStyle = font(QStringLiteral("Arial"), 11, kOlive, 0);
        r.UseDefaults = false;
        r.CommentStart = QStringLiteral("/*");
        r.CommentEnd = QStringLiteral("*/");
        TLangParser p;
        p.load(r);
        QVERIFY(!p.UseDefaults());
        QCOMPARE(p.prefix(TLangParser::Normal), QStringLiteral("\\f0\\fs22\\cf2 "));
        QCOMPARE(p.prefix(TLangParser::Keyword), QStringLiteral("{\\fs22\\cf13\\b "));
        QCOMPARE(p.prefix(TLangParser::String), QStringLiteral("{\\fs22\\cf5 "));
        QCOMPARE(p.prefix(TLangParser::Comment), QStringLiteral("{\\fs22\\cf14\\i "));
        QCOMPARE(p.prefix(TLangParser::Number), QStringLiteral("{\\fs22\\cf8 "));
        QCOMPARE(p.KeywordStyle(), r.KeywordStyle);
        QCOMPARE(p.normalFaceName(), QStringLiteral("Arial"));
        QCOMPARE(p.CommentStart(), QStringLiteral("/*"));

        // With the built-in styles switched on the fonts read are replaced.
        r.UseDefaults = true;
        TLangParser q;
        q.load(r);
        FontSpec normal = builtInNormal();
        normal.pixelsPerInch = 96;
        normal.setSize(10);
        normal.color = 0;
        verifyBuiltIn(q, normal);
    }
};

QTEST_MAIN(TestLangParser)
#include "tst_langparser.moc"

#pragma once

#include "settings/FontRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class TRichEdit;

// The languages a syntax scanner can be asked to read.
enum TParseType {
    ptAuto,
    ptDefault,
    ptOwn,
    ptRTF,
    ptAWK,
    ptCPP,
    ptJava,
    ptPascal,
    ptASM,
    ptBat,
    ptPOV,
    ptDFM,
    ptMod3
};

// A syntax style set: how a highlighter marks up source text in a
// rich-edit control. Each of five token classes (normal text, keywords,
// numbers, strings, comments) has a font and the RTF control words that
// switch a run of text to it, its prefix; beside them it carries the
// settings of a language scanner. Only the styles are used here: the
// program keeps them as the defaults of its stored style fonts.
class TLangParser : public QObject
{
    Q_OBJECT

public:
    // The styles, by the numbers the component picks them with.
    enum Style { Normal = 0, Keyword = 1, Number = 2, String = 3, Comment = 4 };
    static constexpr int kStyleCount = 5;

    using TPosChangeEvent =
        std::function<void(QObject *sender, int CurPos, int Size, bool &Terminate)>;
    using TKeywordFoundEvent =
        std::function<void(QObject *sender, int CurPos, const QString &KeyWord)>;

    // What a form resource gives the component; the fonts are taken as
    // they are and the prefixes built once all is read.
    struct Resource
    {
        FontSpec CommentStyle;
        FontSpec KeywordStyle;
        FontSpec NormalStyle;
        FontSpec NumberStyle;
        FontSpec StringStyle;
        bool UseDefaults = true;
        QString CommentEnd = QStringLiteral("}");
        QString CommentStart = QStringLiteral("{");
        QString OneLineComment = QStringLiteral("//");
        QChar StringDelimiter = u'\'';
    };

    explicit TLangParser(QObject *owner = nullptr);

    // Setting a style turns the built-in styles off and builds its prefix.
    const FontSpec &CommentStyle() const { return m_fonts[Comment]; }
    void setCommentStyle(const FontSpec &font) { setStyle(Comment, font); }
    const FontSpec &KeywordStyle() const { return m_fonts[Keyword]; }
    void setKeywordStyle(const FontSpec &font) { setStyle(Keyword, font); }
    const FontSpec &NormalStyle() const { return m_fonts[Normal]; }
    void setNormalStyle(const FontSpec &font) { setStyle(Normal, font); }
    const FontSpec &NumberStyle() const { return m_fonts[Number]; }
    void setNumberStyle(const FontSpec &font) { setStyle(Number, font); }
    const FontSpec &StringStyle() const { return m_fonts[String]; }
    void setStringStyle(const FontSpec &font) { setStyle(String, font); }

    bool UseCase() const { return m_useCase; }
    void setUseCase(bool useCase) { m_useCase = useCase; }

    // The control to work on; forgotten when that control goes away.
    TRichEdit *RichEdit() const;
    void setRichEdit(TRichEdit *richEdit);

    const QStringList &Keywords() const { return m_keywords; }
    // The user's keywords; while ParseType is ptOwn they become the own
    // keyword list as well.
    void setKeywords(const QStringList &keywords);
    const QStringList &ownKeywords() const { return m_ownKeywords; }

    int MaxFileSize() const { return m_maxFileSize; }
    void setMaxFileSize(int size) { m_maxFileSize = size; }

    // Delimiters of two characters at most; longer ones are cut.
    const QString &CommentEnd() const { return m_commentEnd; }
    void setCommentEnd(const QString &text);
    const QString &CommentStart() const { return m_commentStart; }
    void setCommentStart(const QString &text);
    const QString &OneLineComment() const { return m_oneLineComment; }
    void setOneLineComment(const QString &text);
    QChar StringDelimiter() const { return m_stringDelimiter; }
    void setStringDelimiter(QChar c) { m_stringDelimiter = c; }

    // Setting it to true, even when it is true already, brings back the
    // built-in styles.
    bool UseDefaults() const { return m_useDefaults; }
    void setUseDefaults(bool useDefaults);

    TParseType ParseType() const { return m_parseType; }
    void setParseType(TParseType type) { m_parseType = type; }

    TPosChangeEvent OnPosChange;
    TKeywordFoundEvent OnKeywordFound;

    // The RTF prefix of a style, and its length in characters.
    const QString &prefix(Style style) const { return m_prefixes[style]; }
    int prefixLength(Style style) const { return m_prefixLengths[style]; }
    // The face of the normal style, as recorded when it was last set.
    const QString &normalFaceName() const { return m_normalFaceName; }

    // Takes the values of a form resource.
    void load(const Resource &resource);

    // The number of a colour in the colour table that prefixes name, from
    // 1; 0 for a colour the table does not hold.
    static int colorIndex(quint32 color);

private:
    void setStyle(Style style, const FontSpec &font);
    void applyBuiltInStyles();
    void Loaded();

    QStringList m_ownKeywords;
    QStringList m_keywords;
    bool m_useCase = false;
    TParseType m_parseType = ptAuto;
    int m_maxFileSize = 0;
    QPointer<TRichEdit> m_richEdit;
    QString m_normalFaceName;
    std::array<QString, kStyleCount> m_prefixes;
    bool m_useDefaults = true;
    QChar m_stringDelimiter;
    QString m_oneLineComment;
    QString m_commentStart;
    QString m_commentEnd;
    std::array<FontSpec, kStyleCount> m_fonts;
    std::array<int, kStyleCount> m_prefixLengths{};
};

#pragma once

#include <QString>

// The sections and values of the settings store, by the names every reader
// and writer uses. An empty section is the store's main key.
namespace settingsnames {

inline const QString MainKey;

inline const QString FormPosition = QStringLiteral("FormPosition");
inline const QString FormMaximized = QStringLiteral("FormMaximized_Key");
inline const QString FormWidth = QStringLiteral("FormWidth_Key");
inline const QString FormHeight = QStringLiteral("FormHeight_Key");
inline const QString FormLeft = QStringLiteral("FormLeft_Key");
inline const QString FormTop = QStringLiteral("FormTop_Key");

// Font records, in the main key.
inline const QString CommentFont = QStringLiteral("CommentFont");
inline const QString KeywordFont = QStringLiteral("KeywordFont");
inline const QString NormalFont = QStringLiteral("NormalFont");
inline const QString NumberFont = QStringLiteral("NumberFont");
inline const QString StringFont = QStringLiteral("StringFont");

inline const QString LangParser = QStringLiteral("LangParser");
inline const QString LangParserEnabled = QStringLiteral("LangParserEnabled_Key");

// The section and its hot-key value share one name.
inline const QString HotKeys = QStringLiteral("HotKeys_Key");
inline const QString EnableTranslate = QStringLiteral("EnableTranslate_Key");

inline const QString BGColorSection = QStringLiteral("BGColor_Key");
inline const QString BGColor = QStringLiteral("BGColor");
inline const QString FontColorSection = QStringLiteral("FontColor_Key");
inline const QString FGFontColor = QStringLiteral("FGFontColor");
inline const QString FontSizeSection = QStringLiteral("FontSize_Key");
inline const QString FGFontSize = QStringLiteral("FGFontSize");
inline const QString FontNameSection = QStringLiteral("FontName_Key");
inline const QString FGFontName = QStringLiteral("FGFontName");
inline const QString FGFontStyle = QStringLiteral("FGFontStyle");
inline const QString FGFontCharSet = QStringLiteral("FGFontCharSet");

inline const QString Other = QStringLiteral("Other");
inline const QString OnlyOneKeyLayout = QStringLiteral("OnlyOneKeyLayout");

inline const QString Favourites = QStringLiteral("Favourites");
inline const QString FavourCount = QStringLiteral("FavourCount");
inline const QString LastOpened = QStringLiteral("LastOpened");
inline const QString LastOpenedCount = QStringLiteral("LastOpenedCount");

inline const QString FindItems = QStringLiteral("FindItems");
inline const QString FindItemsCount = QStringLiteral("FindItemsCount");
inline const QString ReplaceItems = QStringLiteral("ReplaceItems");
inline const QString ReplaceItemsCount = QStringLiteral("ReplaceItemsCount");

// The page margins printing lays pages out in, as integers in hundredths of
// a millimetre: a section of the program's own, beside the others.
inline const QString Printing = QStringLiteral("Printing");
inline const QString LeftMargin = QStringLiteral("LeftMargin");
inline const QString TopMargin = QStringLiteral("TopMargin");
inline const QString RightMargin = QStringLiteral("RightMargin");
inline const QString BottomMargin = QStringLiteral("BottomMargin");

// The documents open at exit, with their carets, which the next start opens
// again when the user asked for it: a section of the program's own.
inline const QString Session = QStringLiteral("Session");
inline const QString ReopenDocuments = QStringLiteral("ReopenDocuments");
inline const QString DocumentCount = QStringLiteral("DocumentCount");
inline const QString Caret = QStringLiteral("Caret");

// The favourites and recent-files lists hold at most this many entries.
constexpr int kListSize = 10;

// The name of entry n of a list: "Item0", "FindItem3" ...
inline QString item(int n, const QString &stem = QStringLiteral("Item"))
{
    return stem + QString::number(n);
}

} // namespace settingsnames

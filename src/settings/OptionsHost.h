#pragma once

#include "settings/FontRecord.h"
#include "settings/SettingsNames.h"

#include <QString>

#include <array>

// The settings the program runs with, as the start-up load left them: the
// Options dialog shows them when it is created and changes them when one of
// its pages is applied.
struct CurrentSettings
{
    FontSpec CommentFont;
    FontSpec KeywordFont;
    FontSpec NormalFont;
    FontSpec NumberFont;
    FontSpec StringFont;
    QString TranslateHotKeys;
    bool TranslateEnabled = true;
    bool LangParserEnabled = false;
    quint32 EditorBGColor = 0xFFFFFF;
    FontSpec EditorFont;
    bool OnlyOneKeyLayout = false;
    std::array<QString, settingsnames::kListSize> FavouriteFiles;
    int FavourCount = 0;
    // Whether the documents open at exit open again at the next start.
    bool ReopenDocuments = false;

    // The five style fonts in the order comment, keyword, normal, number,
    // string.
    std::array<FontSpec *, 5> styleFonts()
    {
        return {&CommentFont, &KeywordFont, &NormalFont, &NumberFont, &StringFont};
    }
};

// What the Options dialog asks of the frame that holds the current settings.
class OptionsHost
{
public:
    virtual ~OptionsHost() = default;

    virtual CurrentSettings &currentSettings() = 0;
    // A page's Apply changed the current settings (also when the store then
    // failed): what the running program takes of them follows.
    virtual void settingsApplied() = 0;
    // Takes the favourite entries out of both favourites menus.
    virtual void RemoveFavouriteEntries() = 0;
    // Reads the settings again, the favourites menus with them.
    virtual void LoadDefaultValue() = 0;
    // Fills a font record from a font, reporting a failure itself.
    virtual void FontToRegistry(fontrecord::Record &record, const FontSpec &font) = 0;
};

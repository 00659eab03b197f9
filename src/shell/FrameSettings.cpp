// The frame's settings: the start-up load, the save at exit, the style set
// whose styles stand in for missing style fonts, and the favourites.

#include "controls/PageControl.h"
#include "editor/MDIEdit.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileNames.h"
#include "platform/system/Prompts.h"
#include "settings/LParser.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"
#include "settings/uniOptions.h"
#include "shell/MDIFrame.h"
#include "shell/RecentFiles.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <algorithm>

using namespace settingsnames;

namespace {

constexpr int kDefaultWidth = 700;
constexpr int kDefaultHeight = 500;
constexpr int kDefaultLeft = 200;
constexpr int kDefaultTop = 100;
// Windows keeps a captioned window at least this big; a stored size below
// it would leave nothing to take hold of.
constexpr QSize kSmallestFrame(136, 39);

const QString kDefaultHotKeys = QStringLiteral("^{F3}");
// Until the user chooses colours, the text follows the desktop's palette,
// dark on a dark desktop, as the colours of a window's text do.
constexpr quint32 kDefaultBackground = wincolors::kWindow;
constexpr quint32 kDefaultTextColor = wincolors::kWindowText;
constexpr int kEditorSize = 10;

FontSpec defaultEditorFont()
{
    FontSpec font;
    font.name = textformat::desktopFace();
    font.setSize(kEditorSize);
    font.color = kDefaultTextColor;
    font.style = 0;
    font.charset = charset::Russian;
    return font;
}

// The size of all screens together, where a frame can be.
QSize desktopSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace

// The style set's fonts as the form gives them: 13 pixels is 10 points at
// 96 dots per inch.
void TFrameForm::createLangParserDefault()
{
    LangParserDefault = new TLangParser(this);
    LangParserDefault->setObjectName(QStringLiteral("LangParserDefault"));
    const auto courier = [](quint32 color, int style, int set) {
        FontSpec font;
        font.name = QStringLiteral("Courier New");
        font.height = 13;
        font.color = color;
        font.style = style;
        font.charset = set;
        return font;
    };
    TLangParser::Resource resource;
    resource.CommentStyle = courier(0x800000, fontstyle::Italic, charset::Default);
    resource.KeywordStyle = courier(wincolors::kWindowText, fontstyle::Bold, charset::Default);
    resource.NormalStyle = courier(wincolors::kWindowText, 0, charset::Ansi);
    resource.NumberStyle = courier(0x008080, 0, charset::Default);
    resource.StringStyle = courier(0x0000FF, 0, charset::Default);
    resource.UseDefaults = false;
    LangParserDefault->load(resource);
}

// What the program runs with where the store has nothing, or where a
// failed start-up load did not reach.
void TFrameForm::setDefaultSettings()
{
    resize(kDefaultWidth, kDefaultHeight);
    move(kDefaultLeft, kDefaultTop);
    CommentFont = LangParserDefault->CommentStyle();
    KeywordFont = LangParserDefault->KeywordStyle();
    NormalFont = LangParserDefault->NormalStyle();
    NumberFont = LangParserDefault->NumberStyle();
    StringFont = LangParserDefault->StringStyle();
    TranslateHotKeys = kDefaultHotKeys;
    TranslateEnabled = true;
    LangParserEnabled = false;
    EditorBGColor = kDefaultBackground;
    EditorFont = defaultEditorFont();
    OnlyOneKeyLayout = false;
    FavouriteFiles.fill(QString());
    FavourCount = 0;
    FavourMenuCount = 0;
}

// Start-up load --------------------------------------------------------------------

void TFrameForm::LoadDefaultValue()
{
    loadSettings(false);
    handOverSettings();
}

// Step by step; a failure stops the load where it happened and leaves what
// the earlier steps applied.
void TFrameForm::loadSettings(bool atStart)
{
    m_geometryRead = false;
    reportFailure(tr("Error in TFrameForm.LoadDefaultValue"), [&] {
        SettingsStore store;
        loadGeometry(store);
        m_geometryRead = true;
        loadStyleFonts(store);
        TranslateHotKeys = store.readString(HotKeys, HotKeys, kDefaultHotKeys);
        TranslateEnabled = store.readBool(HotKeys, EnableTranslate, true);
        EditorBGColor =
            quint32(store.readInteger(BGColorSection, BGColor, int(kDefaultBackground)));
        loadEditorFont(store);
        OnlyOneKeyLayout = store.readBool(Other, settingsnames::OnlyOneKeyLayout, false);
        loadFavourites(store);
        if (atStart) {
            loadRecentFiles(store);
            m_recentFilesRead = true;
        }
        ReopenDocuments = store.readBool(Session, settingsnames::ReopenDocuments, false);
        if (atStart && ReopenDocuments)
            m_session = session::load(store);
        m_sessionRead = true;
        store.close();
    });
}

void TFrameForm::loadGeometry(SettingsStore &store)
{
    if (store.readBool(FormPosition, FormMaximized, false)) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const QSize most = desktopSize().expandedTo(kSmallestFrame);
    const int w = store.readInteger(FormPosition, FormWidth, kDefaultWidth);
    resize(std::clamp(w, kSmallestFrame.width(), most.width()), height());
    const int h = store.readInteger(FormPosition, FormHeight, kDefaultHeight);
    resize(width(), std::clamp(h, kSmallestFrame.height(), most.height()));
    move(store.readInteger(FormPosition, FormLeft, kDefaultLeft), y());
    move(x(), store.readInteger(FormPosition, FormTop, kDefaultTop));
}

void TFrameForm::loadStyleFonts(SettingsStore &store)
{
    const struct
    {
        const QString &name;
        FontSpec &font;
        const FontSpec &fallback;
    } fonts[] = {
        {settingsnames::CommentFont, CommentFont, LangParserDefault->CommentStyle()},
        {settingsnames::KeywordFont, KeywordFont, LangParserDefault->KeywordStyle()},
        {settingsnames::NormalFont, NormalFont, LangParserDefault->NormalStyle()},
        {settingsnames::NumberFont, NumberFont, LangParserDefault->NumberStyle()},
        {settingsnames::StringFont, StringFont, LangParserDefault->StringStyle()},
    };
    for (const auto &f : fonts) {
        const QByteArray bytes = store.readBinaryData(MainKey, f.name, fontrecord::kSize);
        if (bytes.isEmpty())
            f.font = f.fallback;
        else
            RegistryToFont(f.font, fontrecord::fromBytes(bytes));
    }
}

void TFrameForm::loadEditorFont(SettingsStore &store)
{
    FontSpec font;
    font.color = quint32(store.readInteger(FontColorSection, FGFontColor, int(kDefaultTextColor)));
    font.setSize(store.readInteger(FontSizeSection, FGFontSize, kEditorSize));
    font.name = store.readString(FontNameSection, FGFontName, textformat::desktopFace());
    const int styleCode = store.readInteger(FontNameSection, FGFontStyle, 0);
    font.charset = store.readInteger(FontNameSection, FGFontCharSet, charset::Russian) & 0xFF;
    font.style = stylecode::toStyle(styleCode);
    EditorFont = font;
}

// A stored count beyond the ten slots reads only the first ten entries.
void TFrameForm::loadFavourites(SettingsStore &store)
{
    const int count =
        std::clamp(store.readInteger(Favourites, settingsnames::FavourCount, 0), 0, kListSize);
    FavouriteFiles.fill(QString());
    FavourCount = count;
    FavourMenuCount = count;
    for (int n = 0; n < count; ++n) {
        const QString path = store.readString(Favourites, item(n), QString());
        FavouriteFiles[size_t(n)] = path;
        addFavouriteEntry(Favourites1, path);
        addFavouriteEntry(TrayFavourites, path);
    }
}

void TFrameForm::loadRecentFiles(SettingsStore &store)
{
    const int count =
        std::clamp(store.readInteger(LastOpened, settingsnames::LastOpenedCount, 0), 0, kListSize);
    for (int n = 0; n < count; ++n) {
        const QString path = store.readString(LastOpened, item(n), QString());
        m_recentFiles->append(filenames::fileNamePart(path), path);
    }
}

EditorSettings TFrameForm::editorSettings() const
{
    // Whether Translate is offered follows the dialog's box, applied or not.
    return {EditorBGColor, editorFont(), OnlyOneKeyLayout, TranslateHotKeys,
            frmOptions->translateOffered()};
}

void TFrameForm::handOverSettings()
{
    const QList<TEditForm *> forms = editWindows();
    if (forms.isEmpty())
        return; // the start-up load runs before the Options dialog is there
    const EditorSettings settings = editorSettings();
    for (TEditForm *form : forms)
        form->takeSettings(settings);
}

void TFrameForm::RegistryToFont(FontSpec &font, const fontrecord::Record &record)
{
    reportFailure(tr("Error in TFrameForm.RegistryToFont"),
                  [&] { fontrecord::read(font, record); });
}

void TFrameForm::FontToRegistry(fontrecord::Record &record, const FontSpec &font)
{
    reportFailure(tr("Error in TFrameForm.FontToRegistry"),
                  [&] { fontrecord::write(record, font); });
}

// Save at exit ----------------------------------------------------------------------

// Only what the load read is written back: a load stopped by a value it
// could not read leaves the rest of the store to the next run, not to
// this run's defaults.
void TFrameForm::saveSettings()
{
    SettingsStore store;
    if (m_geometryRead)
        saveGeometry(store);
    if (m_recentFilesRead)
        saveRecentFiles(store);
    if (m_sessionRead && ReopenDocuments)
        session::save(store, openDocuments());
    store.close();
}

// The documents that have a file, in the tab row's order.
QList<session::Document> TFrameForm::openDocuments() const
{
    QList<session::Document> documents;
    const QList<TEditForm *> forms = editWindows();
    for (int tab = 0; tab < PageControl1->count(); ++tab) {
        for (const TEditForm *form : forms) {
            if (form->Tag == PageControl1->tag(tab) && QFileInfo(form->FFileName).isAbsolute())
                documents.append({form->FFileName, form->Editor->selStart()});
        }
    }
    return documents;
}

// Each file that is still there opens as it was left, without the
// question about files open already and without a recent-files entry.
void TFrameForm::reopenDocuments(const QList<session::Document> &documents)
{
    for (const session::Document &d : documents) {
        if (!QFileInfo(d.path).isFile())
            continue;
        showDocumentView();
        openPath(d.path);
        TEditForm *form = activeEditWindow();
        if (!form)
            continue;
        TRichEdit *editor = form->Editor;
        const auto placeCaret = [editor, caret = d.caret] {
            editor->setSelStart(std::min(caret, editor->textLength()));
            editor->scrollCaret();
        };
        // A long file is still going in: the caret goes where it was after
        // the window put it at the start.
        if (editor->isLoading())
            connect(editor, &TRichEdit::loadFinished, editor, placeCaret, Qt::SingleShotConnection);
        else
            placeCaret();
    }
}

// A maximised frame keeps the size it had before, for the day it opens
// unmaximised again.
void TFrameForm::saveGeometry(SettingsStore &store)
{
    if (isMaximized()) {
        store.writeBool(FormPosition, FormMaximized, true);
    } else {
        store.writeBool(FormPosition, FormMaximized, false);
        store.writeInteger(FormPosition, FormWidth, width());
        store.writeInteger(FormPosition, FormHeight, height());
        store.writeInteger(FormPosition, FormTop, y());
        store.writeInteger(FormPosition, FormLeft, x());
    }
}

// Only the top ten are kept; longer lists stored before keep their tail,
// which is never read again.
void TFrameForm::saveRecentFiles(SettingsStore &store)
{
    const QList<RecentFile> entries = m_recentFiles->entries();
    const int count = std::min(int(entries.size()), kListSize);
    store.writeInteger(LastOpened, settingsnames::LastOpenedCount, count);
    for (int n = 0; n < count; ++n)
        store.writeString(LastOpened, item(n), entries[n].path);
}

// Favourites ----------------------------------------------------------------------

QAction *TFrameForm::addFavouriteEntry(QMenu *menu, const QString &path)
{
    QAction *entry = menu->addAction(path);
    connect(entry, &QAction::triggered, this,
            [this, entry] { reportUnhandled([this, entry] { OpenFileFavour(entry); }); });
    return entry;
}

void TFrameForm::RemoveFavouriteEntries()
{
    Favourites1->clear();
    TrayFavourites->clear();
    FavourMenuCount = 0;
}

void TFrameForm::restoreApplication()
{
    if (!isMinimized())
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
}

// A favourite opens as it is: no existence check (the edit window reports a
// file it cannot load), and the recent files stay as they are.
void TFrameForm::OpenFileFavour(QAction *sender)
{
    restoreApplication();
    const QString path = sender->text();
    NewDocName = path;
    if (path.isEmpty())
        return; // an empty slot names no file
    if (mayOpenAgain(path))
        openPath(path);
}

#pragma once

#include "ScriptedPrompts.h"
#include "SettingsSandbox.h"
#include "TestFolder.h"
#include "controls/Hints.h"
#include "controls/PageControl.h"
#include "editor/MDIEdit.h"
#include "platform/richedit/TRichEdit.h"
#include "shell/MDIFrame.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

// A frame on screen, its prompts scripted, its settings in a store of its
// own (or in the given store file), and a folder for files.
struct FrameFixture : TestFolder
{
    ScriptedPrompts prompts;
    SettingsSandbox settings;
    TFrameForm frame;

    explicit FrameFixture(const QString &settingsFile = {})
        : settings(settingsFile)
    {
        frame.resize(800, 600);
        frame.show();
        frame.activateWindow();
        if (!QTest::qWaitForWindowExposed(&frame))
            QTest::qFail("the frame did not show", __FILE__, __LINE__);
    }

    // Opens a file through the open dialog, answering the question whether
    // to open an open file again when one is given.
    TEditForm *open(const QString &file, std::optional<Prompts::Answer> again = std::nullopt)
    {
        prompts.expectOpenFile(file);
        if (again)
            prompts.expectMessage(QStringLiteral("File already open,continue?"), *again);
        frame.Open1Click();
        return frame.activeEditWindow();
    }

    TEditForm *active() const { return frame.activeEditWindow(); }

    QStringList tabs() const
    {
        QStringList out;
        for (int i = 0; i < frame.PageControl1->count(); ++i)
            out << frame.PageControl1->tabText(i);
        return out;
    }

    QStringList captions() const
    {
        QStringList out;
        for (const TEditForm *f : frame.editWindows())
            out << f->windowTitle();
        return out;
    }

    QStringList menuBar() const
    {
        QStringList out;
        for (const QAction *a : frame.menuBar()->actions())
            out << a->text();
        return out;
    }

    // Captions and hints of a File menu's recent-file part.
    static QStringList recent(const QMenu *file, int from)
    {
        QStringList out;
        const auto items = file->actions();
        for (qsizetype i = from; i < items.size(); ++i)
            out << (items[i]->isSeparator()
                        ? QStringLiteral("-")
                        : items[i]->text() + QLatin1Char('=') + hints::hintOf(items[i]));
        return out;
    }

    // The recent-file tail an edit window's File menu holds after its fixed
    // items, which end with Exit.
    static QStringList recent(const TEditForm *w)
    {
        return recent(w->File1, w->File1->actions().indexOf(w->Exit1) + 1);
    }

    void closeActive() { active()->Close1Click(); }
};

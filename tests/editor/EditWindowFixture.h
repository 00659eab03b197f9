#pragma once

#include "FakeEditHost.h"
#include "ScriptedPrompts.h"
#include "SettingsSandbox.h"
#include "TestFolder.h"
#include "editor/MDIEdit.h"
#include "platform/richedit/TRichEdit.h"

#include <QTest>

// One edit window on screen over a fake frame, its prompts scripted, its
// settings in a store of its own, and a folder for files.
struct EditWindowFixture : TestFolder
{
    ScriptedPrompts prompts;
    SettingsSandbox settings;
    FakeEditHost host;
    TEditForm window;

    // The settings a frame without a stored one hands its windows.
    static EditorSettings frameDefaults()
    {
        return {0xFFFFFF,
                {QStringLiteral("MS Sans Serif"), 10, 0, 0, 204},
                false,
                QStringLiteral("^{F3}"),
                true};
    }

    explicit EditWindowFixture(const EditorSettings &editorSettings = frameDefaults())
        : window(host, editorSettings)
    {
        window.Tag = 7;
        window.resize(800, 600);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowExposed(&window))
            QTest::qFail("the edit window did not show", __FILE__, __LINE__);
    }

    // The window loads a file written with these bytes, as the frame has
    // it do for an opened file.
    TEditForm *open(const QString &name, const QByteArray &bytes)
    {
        window.Open(write(name, bytes));
        return &window;
    }

    // A new document's window with this text, unmodified, without undo.
    TEditForm *document(const QByteArray &text)
    {
        window.Editor->setWholeText(text);
        window.Editor->document()->clearUndoRedoStacks();
        window.Editor->setModified(false);
        window.ShowModifiedState(false);
        return &window;
    }
};

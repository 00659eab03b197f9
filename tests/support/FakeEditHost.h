#pragma once

#include "controls/Hints.h"
#include "editor/DocumentPrinter.h"
#include "editor/EditHost.h"

#include <QAction>
#include <QStringList>

#include <memory>

// The frame as an edit window sees it, without a frame: each intent the
// window tells it is written down as a line ("renamed 3 /tmp/a.txt"), the
// recent files are a list of its own, and the names and folders it hands
// out are the test's to set.
class FakeEditHost : public EditHost
{
public:
    QStringList told;
    QString nextDocName = QStringLiteral("Untitled1");
    QString nextUntitledName = QStringLiteral("Untitled2");
    QString dialogFolder;
    QList<RecentFile> recent;
    int editorComponentIndex = -1;
    TRichEdit *findEditor = nullptr;

    void New1Click() override { told << QStringLiteral("New"); }
    void Open1Click() override { told << QStringLiteral("Open"); }
    void CloseAll() override { told << QStringLiteral("Close All"); }
    void Exit1Click() override { told << QStringLiteral("Exit"); }

    QString newDocName() const override { return nextDocName; }
    QString untitledName() override { return nextUntitledName; }

    void documentActivated(int tag) override { told << QStringLiteral("activated %1").arg(tag); }
    void documentRenamed(int tag, const QString &name) override
    {
        told << QStringLiteral("renamed %1 %2").arg(tag).arg(name);
    }
    void documentClosed(int tag) override { told << QStringLiteral("closed %1").arg(tag); }
    void documentModified(int, bool) override {}
    void setEditorComponentIndex(int index) override { editorComponentIndex = index; }
    void checkArrangement(Arrangement arrangement) override
    {
        told << QStringLiteral("arranged %1").arg(int(arrangement));
    }

    void NewLastOpened(const QString &caption, const QString &path) override
    {
        recent.prepend({caption, path});
    }
    QList<RecentFile> recentFiles() const override { return recent; }
    void OpenLastOpened(QAction *sender) override
    {
        told << QStringLiteral("open recent %1").arg(hints::hintOf(sender));
    }

    QString fileDialogFolder(const TEditForm *) const override { return dialogFolder; }
    void fileChosen(const QString &path) override { told << QStringLiteral("chosen %1").arg(path); }

    void openDroppedFile(const QString &path) override
    {
        told << QStringLiteral("dropped %1").arg(path);
    }

    void showFind(TRichEdit *editor) override
    {
        findEditor = editor;
        told << QStringLiteral("find");
    }
    void findAgain() override { told << QStringLiteral("find again"); }

    // Made at first use: it reads its margins from the settings store.
    DocumentPrinter &printing() override
    {
        if (!m_printer)
            m_printer = std::make_unique<DocumentPrinter>();
        return *m_printer;
    }

private:
    std::unique_ptr<DocumentPrinter> m_printer;
};

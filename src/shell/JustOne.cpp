#include "shell/JustOne.h"

#include "editor/MDIEdit.h"
#include "platform/system/InstanceChannel.h"
#include "shell/MDIFrame.h"

TJustOne::TJustOne(TFrameForm *owner, const QString &path)
    : QObject(owner)
    , m_channel(new InstanceChannel(QStringLiteral("Scrivlet"), this))
    , m_onlyCopy(m_channel->claim(path))
{
    connect(m_channel, &InstanceChannel::activationRequested, owner, &TFrameForm::comeForward);
    // Lets a caller see what the running copy holds: the number of times it
    // was asked to come forward and the path or name of each document.
    m_channel->setStatusReporter([owner] {
        QStringList status{QStringLiteral("activated %1").arg(owner->activationCount())};
        for (const TEditForm *form : owner->editWindows())
            status << QStringLiteral("document ") + form->windowTitle();
        return status;
    });
}

#include "shell/JustOne.h"

#include "editor/MDIEdit.h"
#include "platform/system/InstanceChannel.h"
#include "platform/system/Prompts.h"
#include "shell/MDIFrame.h"

#include <cstdio>

TJustOne::TJustOne(TFrameForm *owner, const QStringList &paths)
    : QObject(owner)
    , m_channel(new InstanceChannel(QStringLiteral("Scrivlet"), this))
{
    switch (m_channel->claim(paths)) {
    case InstanceChannel::Claim::Running:
        break;
    case InstanceChannel::Claim::HandedOver:
        m_start = CopyStart::HandedOver;
        break;
    case InstanceChannel::Claim::NotAnswering:
        m_start = whenNotAnswering();
        break;
    }
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

// A second copy started quietly would let both open one file, and a save by
// one overwrite the other's: the user decides, and without anyone to ask
// this copy ends.
CopyStart TJustOne::whenNotAnswering()
{
    if (!prompts().canAsk()) {
        std::fprintf(stderr, "scrivlet: %s\n",
                     qPrintable(tr("Another Scrivlet is running but not answering.")));
        return CopyStart::Refused;
    }
    return prompts().yesNo(tr("Another Scrivlet is running but not answering. Open a second "
                              "window anyway?"),
                           {}, Prompts::Icon::Warning)
               ? CopyStart::SecondCopy
               : CopyStart::NotWanted;
}

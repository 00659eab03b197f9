#pragma once

#include <QObject>
#include <QStringList>

class InstanceChannel;
class TFrameForm;

// How the start of this copy ended with regard to a copy that already runs.
enum class CopyStart {
    OnlyCopy,   // no other copy runs: this one is the running copy
    SecondCopy, // another copy runs but does not answer; the user wanted a second window
    HandedOver, // the running copy took this copy's file and comes forward
    NotWanted,  // the running copy does not answer; the user wanted no second window
    Refused,    // the running copy does not answer, and nobody could be asked
};

// The single-instance guard of the frame: created while the frame is
// created, it either makes this copy the running one or asks the copy that
// runs to come forward and open this copy's files, in which case this copy
// ends before it shows a window.
class TJustOne : public QObject
{
    Q_OBJECT

public:
    // `paths`: the files named on this copy's command line.
    TJustOne(TFrameForm *owner, const QStringList &paths);

    CopyStart start() const { return m_start; }

private:
    CopyStart whenNotAnswering();

    InstanceChannel *m_channel;
    CopyStart m_start = CopyStart::OnlyCopy;
};

#pragma once

#include <QObject>

class InstanceChannel;
class TFrameForm;

// The single-instance guard of the frame: created while the frame is
// created, it either makes this copy the running one or asks the copy that
// runs to come forward and open this copy's file, in which case this copy
// ends before it shows a window.
class TJustOne : public QObject
{
    Q_OBJECT

public:
    // `path`: the file named on this copy's command line, or empty.
    TJustOne(TFrameForm *owner, const QString &path);

    // False when another copy runs and was asked to come forward.
    bool isOnlyCopy() const { return m_onlyCopy; }

private:
    InstanceChannel *m_channel;
    bool m_onlyCopy;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSizeF>
#include <QString>

// Pictures and objects in RTF: what a reader shows of a group that holds
// one, and the group a writer makes of a picture.
namespace rtf {

// What an object group shows.
struct ObjectGroup
{
    QByteArray picture; // PNG or JPEG data; empty when the group holds none
    QSizeF twips;       // the size it is shown with; empty where it says none
    QString label;      // what it is, for a box that stands in for it
};

// Whether a destination holds a picture or an object: \pict, \shppict,
// \nonshppict, \object, \shp or \do.
bool isObjectDestination(QByteArrayView word);

// What the group shows, from its opening brace to the brace that closes it;
// `word` is its destination.
ObjectGroup readObjectGroup(QByteArrayView group, QByteArrayView word);

// The \pict group of PNG or JPEG data shown at the size; empty for data of
// any other kind.
QByteArray pictureGroup(const QByteArray &data, QSizeF twips);

} // namespace rtf

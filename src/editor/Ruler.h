#pragma once

#include <QFrame>
#include <QString>

class TRichEdit;

// The ruler above the text: a scale with a bar at every default tab stop,
// and three markers for the indents of the paragraph at the caret (the
// first line, the other lines, the right indent). Dragging a marker and
// letting it go writes its indent into every paragraph of the selection.
//
// Positions are pixels at 4/3 to the point, measured from the ruler's left
// edge with the text's 6-pixel gutter; indents are the editor's, in points.
//
// The keyboard reaches the markers too: each takes the focus by Tab (F6 in
// the edit window goes to the first), the Left and Right keys move the
// focused one a step, and Escape goes back to the text.
class IndentRuler : public QFrame
{
    Q_OBJECT

public:
    explicit IndentRuler(TRichEdit *editor, QWidget *parent = nullptr);

    QWidget *FirstInd = nullptr;
    QWidget *LeftInd = nullptr;
    QFrame *RulerLine = nullptr;
    QWidget *RightInd = nullptr;

    // Between pressing a marker and letting it go; where in the marker the
    // pointer holds it.
    bool FDraggingMarker = false;
    int FMarkerGrabOffset = 0;

    // The scale: a tab and a bar, a hundred times.
    void SetRulerScale();
    QString scale() const { return m_scale; }

    // Puts the markers where the indents of the paragraph at the caret are.
    void placeMarkers();

    void RulerItemMouseDown(QWidget *marker, int x);
    void RulerItemMouseMove(QWidget *marker, int x);
    void FirstIndMouseUp();
    void LeftIndMouseUp();
    void RightIndMouseUp();

Q_SIGNALS:
    // An indent was written; the markers are to follow the text again.
    void markerDropped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The indent position a marker stands for, in points.
    int pointsAt(const QWidget *marker) const;
    // An indent the markers can still show: from the margin to the ruler's end.
    int withinRuler(int points) const;
    void mouseUp(QWidget *marker);
    // The Left (-1) or Right (1) key on a marker.
    void stepMarker(QWidget *marker, int direction);

    TRichEdit *m_editor;
    QString m_scale;
};

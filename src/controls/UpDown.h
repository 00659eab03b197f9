#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows bound to an edit box, which shows their position as a
// decimal number. A step starts from the number in the box (or from the
// last position when the box holds none), stays within the range and
// writes the new number into the box, so the box's own change signal
// carries it on like typed digits. The Up and Down keys in the box step too.
class UpDown : public QWidget
{
    Q_OBJECT

public:
    UpDown(QLineEdit *buddy, int min, int max, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stepBy(int steps);
    QToolButton *arrowButton(Qt::ArrowType arrow, const QString &name, int steps);

    QLineEdit *m_buddy;
    int m_min;
    int m_max;
    int m_position;
};

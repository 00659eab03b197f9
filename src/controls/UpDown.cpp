#include "controls/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kArrowWidth = 17;

} // namespace

UpDown::UpDown(QLineEdit *buddy, int min, int max, QWidget *parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_min(min)
    , m_max(max)
    , m_position(min)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(arrowButton(Qt::UpArrow, tr("Up"), 1));
    layout->addWidget(arrowButton(Qt::DownArrow, tr("Down"), -1));
    setFixedWidth(kArrowWidth);
    m_buddy->setText(QString::number(m_position));
    m_buddy->installEventFilter(this);
}

QToolButton *UpDown::arrowButton(Qt::ArrowType arrow, const QString &name, int steps)
{
    auto *button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAccessibleName(name);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, steps] { stepBy(steps); });
    return button;
}

void UpDown::stepBy(int steps)
{
    bool isNumber = false;
    const int shown = m_buddy->text().toInt(&isNumber);
    const int from = isNumber ? std::clamp(shown, m_min, m_max) : m_position;
    m_position = std::clamp(from + steps, m_min, m_max);
    m_buddy->setText(QString::number(m_position));
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

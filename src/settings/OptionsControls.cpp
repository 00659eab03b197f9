#include "settings/OptionsControls.h"

#include "platform/system/Prompts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace optionscontrols {
namespace {

// The Windows green of the explanatory labels.
const QColor kGreen(0x00, 0x80, 0x00);

} // namespace

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(hint);
    return box;
}

QLabel *label(QWidget *parent, const QString &text, Look look)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    if (look == Look::Bold) {
        // Only the weight is the label's own; face and size stay the page's.
        QFont bold;
        bold.setBold(true);
        l->setFont(bold);
    } else if (look == Look::Green) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, kGreen);
        l->setPalette(palette);
    }
    return l;
}

void onClick(QAbstractButton *button, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [handler = std::move(handler)] { reportUnhandled(handler); });
}

QPushButton *applyButton(QWidget *page, const char *name)
{
    QPushButton *apply = button(page, name, QCoreApplication::translate("TfrmOptions", "&Apply"));
    apply->setEnabled(false);
    return apply;
}

void addApplyRow(QBoxLayout *page, QPushButton *apply, std::initializer_list<QWidget *> left)
{
    auto *row = new QHBoxLayout;
    for (QWidget *w : left)
        row->addWidget(w);
    row->addStretch(1);
    row->addWidget(apply);
    page->addLayout(row);
}

} // namespace optionscontrols

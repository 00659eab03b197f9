#include "editor/EncodingHint.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

EncodingHint::EncodingHint(QStatusBar *statusBar, QWidget *parent)
    : QFrame(parent)
    , m_text(new QLabel(this))
    , m_convert(new QPushButton(this))
    , m_close(new QToolButton(this))
    , m_status(new QLabel(statusBar))
{
    setObjectName(QStringLiteral("EncodingHint"));
    // The colours of a tooltip: a note about the text, not part of it.
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);

    m_convert->setObjectName(QStringLiteral("EncodingHintConvert"));
    connect(m_convert, &QPushButton::clicked, this, [this] {
        if (m_command)
            m_command->trigger();
    });
    m_close->setObjectName(QStringLiteral("EncodingHintClose"));
    m_close->setText(QStringLiteral("\u00D7"));
    m_close->setToolTip(tr("Close"));
    m_close->setAccessibleName(tr("Close"));
    m_close->setAutoRaise(true);
    connect(m_close, &QToolButton::clicked, this, &EncodingHint::dismiss);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_convert);
    layout->addWidget(m_close);

    m_status->setObjectName(QStringLiteral("EncodingHintStatus"));
    statusBar->addPermanentWidget(m_status);
    dismiss();
}

void EncodingHint::offer(const QString &encodingName, QAction *command)
{
    m_command = command;
    const QString caption = command->text();
    m_text->setText(tr("Looks like %1: Convert > %2").arg(encodingName, caption));
    m_status->setText(m_text->text());
    m_convert->setText(caption);
    m_convert->setAccessibleName(caption);
    show();
    m_status->show();
}

void EncodingHint::dismiss()
{
    hide();
    m_status->hide();
}

QString EncodingHint::text() const
{
    return isHidden() ? QString() : m_text->text();
}

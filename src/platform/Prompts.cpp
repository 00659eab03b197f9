#include "platform/Prompts.h"

#include "platform/QtPrompts.h"

namespace {

Prompts *installed = nullptr;

} // namespace

Prompts &prompts()
{
    if (installed)
        return *installed;
    static QtPrompts qtPrompts;
    return qtPrompts;
}

void installPrompts(Prompts *p)
{
    installed = p;
}

void Prompts::error(const QString &text)
{
    message({text, {}, Icon::None, Buttons::Ok});
}

void Prompts::information(const QString &text, const QString &caption)
{
    message({text, caption, Icon::Information, Buttons::Ok});
}

bool Prompts::confirm(const QString &text, const QString &caption, Icon icon)
{
    return message({text, caption, icon, Buttons::OkCancel}) == Answer::Ok;
}

bool Prompts::yesNo(const QString &text, const QString &caption, Icon icon)
{
    return message({text, caption, icon, Buttons::YesNo}) == Answer::Yes;
}

Prompts::Answer Prompts::yesNoCancel(const QString &text, const QString &caption, Icon icon)
{
    return message({text, caption, icon, Buttons::YesNoCancel});
}

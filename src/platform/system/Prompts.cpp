#include "platform/system/Prompts.h"

#include "platform/system/QtPrompts.h"
#include "platform/system/ServiceSlot.h"

namespace {

std::unique_ptr<Prompts> createPrompts()
{
    return std::make_unique<QtPrompts>();
}

ServiceSlot<Prompts> &slot()
{
    static ServiceSlot<Prompts> s(createPrompts);
    return s;
}

} // namespace

Prompts &prompts()
{
    return slot().get();
}

void installPrompts(Prompts *p)
{
    slot().install(p);
}

void reportCurrentFailure(const QString &message) noexcept
{
    QString reason;
    try {
        throw;
    } catch (const std::exception &e) {
        reason = QString::fromUtf8(e.what());
    } catch (...) {
    }
    try {
        prompts().error(reason.isEmpty() ? message : message + QLatin1Char('\n') + reason);
    } catch (...) {
    }
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

#pragma once

#include "platform/text/TextAttributes.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <exception>
#include <functional>
#include <optional>

class QPrinter;

// Every message box and common dialog the program shows goes through this
// interface: the application installs the Qt implementation, tests install
// a scripted one.
class Prompts
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message
    {
        QString text;
        QString caption; // empty: the application's name
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    // One entry of a file dialog's filter list, for example
    // {"Rich text files (*.rtf)", "*.rtf"}; patterns are separated by ";".
    struct FileFilter
    {
        QString description;
        QString patterns;
        // What a save dialog appends to a name typed without an extension
        // while this filter is chosen; empty: the request's default.
        QString extension{};
    };

    struct OpenFileRequest
    {
        QString title;
        QList<FileFilter> filters;
        int filterIndex = 1; // 1-based, as the filter list is numbered
        QString fileName;
        QString directory{}; // where the dialog starts; empty: the working folder
    };

    struct SaveFileRequest
    {
        QString title;
        QString fileName;
        QList<FileFilter> filters;
        int filterIndex = 1;      // 1-based
        QString defaultExtension; // appended to a name typed without one, unless
                                  // the chosen filter has an extension of its own
        bool overwritePrompt = true;
        bool rejectReadOnly = true; // a read-only file cannot be chosen
        QString directory{};        // where the dialog starts; empty: the working folder
    };

    struct FontRequest
    {
        CharAttributes initial;
        // Only faces for text in the ANSI code pages: no symbol faces.
        bool ansiOnly = false;
    };

    // A whole number from a range, such as the line to go to.
    struct NumberRequest
    {
        QString title;
        QString label;
        int value = 1;
        int minimum = 1;
        int maximum = 1;
    };

    virtual ~Prompts() = default;

    // Whether a question reaches a user who can answer it.
    virtual bool canAsk() const { return true; }
    virtual Answer message(const Message &message) = 0;
    virtual std::optional<QString> openFile(const OpenFileRequest &request) = 0;
    virtual std::optional<QString> saveFile(const SaveFileRequest &request) = 0;
    virtual std::optional<CharAttributes> font(const FontRequest &request) = 0;
    virtual std::optional<quint32> color(quint32 initial) = 0;
    // The number chosen, within the request's range; none when cancelled.
    virtual std::optional<int> number(const NumberRequest &request) = 0;
    virtual bool print(QPrinter &printer) = 0;
    virtual bool printerSetup(QPrinter &printer) = 0;
    // Shows the pages that `paint` lays out on the printer, with a command
    // that prints them there.
    virtual void printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) = 0;

    // A plain message with an OK button, captioned with the application's name.
    void error(const QString &text);
    void information(const QString &text, const QString &caption = {});
    // OK and Cancel; true for OK.
    bool confirm(const QString &text, const QString &caption = {}, Icon icon = Icon::Question);
    // Yes and No; true for Yes.
    bool yesNo(const QString &text, const QString &caption = {}, Icon icon = Icon::Question);
    Answer yesNoCancel(const QString &text, const QString &caption = {},
                       Icon icon = Icon::Question);
};

// The prompts in use; the Qt implementation unless another was installed.
Prompts &prompts();

// Installs an implementation (not owned); nullptr brings back the Qt one.
void installPrompts(Prompts *prompts);

// Shows the message for the failure being handled (call it from a catch
// block): the message as it stands, and on a line below it the failure's own
// reason, such as the system's "Permission denied", when it has one.
void reportCurrentFailure(const QString &message) noexcept;

// Runs a handler's body; any failure it throws is shown as the message
// (for example "Error in TFrameForm.New1Click") with its reason, and the
// program carries on. Returns whether the body ran to its end.
template<typename Body>
bool reportFailure(const QString &message, Body &&body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        reportCurrentFailure(message);
        return false;
    }
}

// Runs a command that has no failure handling of its own: a failure ends it
// with an error box showing the failure's own message, the way an unhandled
// error would, and the program carries on.
template<typename Body>
bool reportUnhandled(Body &&body) noexcept
{
    try {
        body();
        return true;
    } catch (const std::exception &e) {
        prompts().message(
            {QString::fromUtf8(e.what()), {}, Prompts::Icon::Error, Prompts::Buttons::Ok});
    } catch (...) {
        prompts().message({QCoreApplication::translate("Prompts", "Unknown error"),
                           {},
                           Prompts::Icon::Error,
                           Prompts::Buttons::Ok});
    }
    return false;
}

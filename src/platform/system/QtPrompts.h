#pragma once

#include "platform/system/Prompts.h"

// Message boxes and common dialogs on Qt's widgets.
class QtPrompts : public Prompts
{
public:
    bool canAsk() const override;
    Answer message(const Message &message) override;
    std::optional<QString> openFile(const OpenFileRequest &request) override;
    std::optional<QString> saveFile(const SaveFileRequest &request) override;
    std::optional<CharAttributes> font(const FontRequest &request) override;
    std::optional<quint32> color(quint32 initial) override;
    std::optional<int> number(const NumberRequest &request) override;
    bool print(QPrinter &printer) override;
    bool printerSetup(QPrinter &printer) override;
    void printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) override;
};

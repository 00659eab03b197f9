#pragma once

#include "search/SearchableEdit.h"

#include <algorithm>

// An edit control for the search engine's tests: the text and selection are
// plain fields, and every call that reaches the control is counted.
class FakeEdit : public SearchableEdit
{
public:
    explicit FakeEdit(const QByteArray &initial = {}, QObject *parent = nullptr)
        : SearchableEdit(parent)
        , text(initial)
    {}

    QByteArray wholeText() const override
    {
        ++reads;
        return text;
    }
    void setWholeText(QByteArrayView bytes) override
    {
        ++writes;
        text = bytes.toByteArray();
        start = 0;
        length = 0;
    }
    int selStart() const override { return start; }
    void setSelStart(int s) override
    {
        start = std::clamp(s, 0, int(text.size()));
        length = 0;
    }
    int selLength() const override { return length; }
    void setSelLength(int l) override { length = std::clamp(l, 0, int(text.size()) - start); }
    QByteArray selText() const override { return text.mid(start, length); }
    void setSelText(QByteArrayView bytes) override
    {
        text.replace(start, length, bytes);
        start += int(bytes.size());
        length = 0;
    }
    void focus() override { ++focused; }
    void scrollCaret() override { ++scrolled; }

    void select(int s, int l)
    {
        setSelStart(s);
        setSelLength(l);
    }

    QByteArray text;
    int start = 0;
    int length = 0;
    mutable int reads = 0;
    int writes = 0;
    int focused = 0;
    int scrolled = 0;
};

#pragma once

#include <QString>
#include <vector>

/// A message the program shows the user: a warning box with one OK button.
/// Windows raise them through a MessageSink so that tests and headless
/// commands can collect them instead of blocking on a dialog.
struct Message
{
    QString tag;   ///< the label tag in the language file's "MsgBox" section, or empty
    QString text;  ///< the text shown
    QString title; ///< "Warning" for input problems; empty for error descriptions
};

class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void show(const Message& message) = 0;
};

/// Keeps every message instead of showing it.
class CapturingSink : public MessageSink
{
public:
    void show(const Message& message) override { shown.push_back(message); }
    std::vector<Message> shown;
};

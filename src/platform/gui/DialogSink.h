#pragma once

#include "platform/Messages.h"

#include <QPointer>
#include <QWidget>

/// Shows each message as a modal box with the critical icon and an OK button,
/// over the given owner window.
class DialogSink : public MessageSink
{
public:
    explicit DialogSink(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void show(const Message& message) override;

private:
    QPointer<QWidget> m_owner;
};

#include "platform/gui/DialogSink.h"

#include <QMessageBox>

void DialogSink::show(const Message& message)
{
    QMessageBox box(QMessageBox::Critical, message.title, message.text, QMessageBox::Ok, m_owner);
    box.exec();
}

#include "app/GuiMessageSink.h"

#include <QMessageBox>

MsgAnswer CGuiMessageSink::Show(const std::string& text, MsgButtons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(QString());
    box.setText(QString::fromStdString(text));
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

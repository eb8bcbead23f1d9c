#pragma once
// The OK and キャンセル buttons every modal dialog of the program ends with.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>

// Adds the two buttons to layout, wired to accept and reject; more buttons can be
// added to the box returned.
inline QDialogButtonBox* AddOkCancel(QDialog* dialog, QLayout* layout)
{
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

#pragma once
// Page setup: the sheet size and its orientation. Choosing "ユーザー設定..." asks for
// the user size at once.
#include "content/PageSetup.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QRadioButton;

class CPageSetDg : public QDialog {
    Q_OBJECT
public:
    CPageSetDg(int code, pagesetup::UserSize user, QWidget* parent = nullptr);
    int Code() const;
    pagesetup::UserSize User() const { return m_user; }

    QListWidget* List() const { return m_list; }
    QRadioButton* Portrait() const { return m_portrait; }
    QRadioButton* Landscape() const { return m_landscape; }

private:
    void AskUserSize();

    QListWidget* m_list;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    pagesetup::UserSize m_user;
};

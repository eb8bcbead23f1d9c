#pragma once
// The print position: how far the printed sheet moves, in whole millimetres, and which way.
#include "content/PageSetup.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

class CPrintmoveDg : public QDialog {
    Q_OBJECT
public:
    CPrintmoveDg(pageprint::PrintMove move, QWidget* parent = nullptr);
    // What OK gives: both 0 when an amount is outside the range.
    pageprint::PrintMove Move() const;

    QRadioButton* Left() const { return m_left; }
    QRadioButton* Right() const { return m_right; }
    QRadioButton* Up() const { return m_up; }
    QRadioButton* Down() const { return m_down; }
    QLineEdit* AmountX() const { return m_x; }
    QLineEdit* AmountY() const { return m_y; }

private:
    QRadioButton *m_left, *m_right, *m_up, *m_down;
    QLineEdit *m_x, *m_y;
};

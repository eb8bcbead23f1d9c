#pragma once
// "相対位置(単位mm)": a point given by its distance from the clicked base point.
#include <QDialog>

class QLabel;
class QLineEdit;

class CSoutaiDlg : public QDialog {
    Q_OBJECT
public:
    // base in drawing millimetres (y downwards); shown with y upwards.
    CSoutaiDlg(double baseX, double baseY, QWidget* parent = nullptr);
    // The point typed, in drawing millimetres: base x + across, base y − up.
    double ResultX() const;
    double ResultY() const;
    QLineEdit* AcrossField() const { return m_across; }
    QLineEdit* UpField() const { return m_up; }

private:
    void Refresh();
    double m_baseX, m_baseY;
    QLineEdit* m_across;
    QLineEdit* m_up;
    QLabel* m_result;
};

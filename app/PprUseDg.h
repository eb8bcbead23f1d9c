#pragma once
// The user sheet size: width and height in true millimetres.
#include <QDialog>

class QLineEdit;

class CPprUseDg : public QDialog {
    Q_OBJECT
public:
    CPprUseDg(int widthMm, int heightMm, QWidget* parent = nullptr);
    // What was entered; 0 for an empty or unreadable field.
    int WidthMm() const;
    int HeightMm() const;
    QLineEdit* WidthField() const { return m_w; }
    QLineEdit* HeightField() const { return m_h; }

private:
    QLineEdit* m_w;
    QLineEdit* m_h;
};

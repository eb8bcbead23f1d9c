#pragma once
// "端点の印刷時の大きさ": the printed diameters of the five end-marker sizes.
#include <QDialog>

#include <array>

class QLineEdit;

class CKeijyouPichDg : public QDialog {
    Q_OBJECT
public:
    using Sizes = std::array<double, 5>;
    CKeijyouPichDg(const Sizes& sizes, QWidget* parent = nullptr);
    const Sizes& Values() const { return m_values; }
    void accept() override;
    void ResetToBuiltIn();
    QLineEdit* Field(int i) const { return m_fields[static_cast<std::size_t>(i)]; }

private:
    Sizes m_values;
    std::array<QLineEdit*, 5> m_fields{};
};

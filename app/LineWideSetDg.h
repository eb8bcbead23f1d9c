#pragma once
// "線幅タイプのピッチ設定": the screen and printer widths of the ten width types.
#include <QDialog>

#include <array>

class QComboBox;

class CLineWideSetDg : public QDialog {
    Q_OBJECT
public:
    using Widths = std::array<int, 10>;
    CLineWideSetDg(const Widths& screen, const Widths& printer, QWidget* parent = nullptr);
    const Widths& Screen() const { return m_screen; }
    const Widths& Printer() const { return m_printer; }
    void accept() override;
    QComboBox* ScreenList(int type) const { return m_screenLists[static_cast<std::size_t>(type)]; }
    QComboBox* PrinterList(int type) const { return m_printerLists[static_cast<std::size_t>(type)]; }

private:
    Widths m_screen, m_printer;
    std::array<QComboBox*, 10> m_screenLists{}, m_printerLists{};
};

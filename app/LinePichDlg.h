#pragma once
// "線種のピッチ変更": the dash pitches of the plot settings, in printed millimetres.
#include "document/PlotInfo.h"

#include <QDialog>

#include <array>

class QLineEdit;

class CLinePichDlg : public QDialog {
    Q_OBJECT
public:
    using Pitches = std::array<float, CPlotInfo::kDashPitches>;
    CLinePichDlg(const Pitches& pitches, QWidget* parent = nullptr);
    // The values after OK; the fourth dash-dot pitch has no field and passes through.
    const Pitches& Values() const { return m_values; }
    void accept() override;
    // "初期化リセット": the built-in pitches into the fields.
    void ResetToBuiltIn();
    QLineEdit* Field(int pitch) const;

private:
    Pitches m_values;
    std::array<QLineEdit*, CPlotInfo::kDashPitches> m_fields{};
};

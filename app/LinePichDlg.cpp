#include "app/LinePichDlg.h"

#include "ardelib/Message.h"
#include "edit/StylePitch.h"

#include "app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
struct Row {
    const char* name;
    int first, count;
};
const Row kRows[] = {{"破線", CPlotInfo::kDash0, 2},
                     {"点線", CPlotInfo::kDot0, 2},
                     {"一点鎖線", CPlotInfo::kDashDot0, 3},
                     {"二点鎖線", CPlotInfo::kDashDotDot0, 6}};
} // namespace

CLinePichDlg::CLinePichDlg(const Pitches& pitches, QWidget* parent) : QDialog(parent), m_values(pitches)
{
    setWindowTitle(U("線種のピッチ変更"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int c = 0; c < 6; ++c)
        grid->addWidget(new QLabel(U(c % 2 == 0 ? "描画" : "空白"), this), 0, c + 1, Qt::AlignCenter);
    int r = 1;
    for (const Row& row : kRows) {
        grid->addWidget(new QLabel(U(row.name), this), r, 0);
        for (int i = 0; i < row.count; ++i) {
            auto* e = new QLineEdit(QString::asprintf("%.3f", static_cast<double>(pitches[static_cast<std::size_t>(row.first + i)])), this);
            e->setObjectName(QStringLiteral("pitch%1").arg(row.first + i));
            e->setMaximumWidth(70);
            m_fields[static_cast<std::size_t>(row.first + i)] = e;
            grid->addWidget(e, r, i + 1);
        }
        ++r;
    }
    top->addLayout(grid);
    top->addWidget(new QLabel(U("単位は印刷上のmm"), this));
    QPushButton* reset = AddOkCancel(this, top)->addButton(U("初期化リセット"), QDialogButtonBox::ResetRole);
    reset->setObjectName("c1522");
    connect(reset, &QPushButton::clicked, this, [this] { ResetToBuiltIn(); });
}

QLineEdit* CLinePichDlg::Field(int pitch) const { return m_fields[static_cast<std::size_t>(pitch)]; }

void CLinePichDlg::ResetToBuiltIn()
{
    CPlotInfo builtIn;
    builtIn.ResetBuiltIn();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i])
            m_fields[i]->setText(QString::asprintf("%.3f", static_cast<double>(builtIn.m_linePich[i])));
}

void CLinePichDlg::accept()
{
    // A pitch of 0 or less would leave the dash walker without a step: refuse it whole.
    Pitches values = m_values;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_fields[i])
            continue;
        std::optional<double> v = stylepitch::DashPitch(m_fields[i]->text().toStdString());
        if (!v) {
            ShowMessage("線種のピッチには0より大きい数値を入力してください");
            m_fields[i]->setFocus();
            m_fields[i]->selectAll();
            return;
        }
        values[i] = static_cast<float>(*v);
    }
    m_values = values;
    QDialog::accept();
}

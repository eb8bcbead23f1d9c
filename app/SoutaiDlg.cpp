#include "app/SoutaiDlg.h"

#include "app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
double Value(const QLineEdit* e)
{
    bool ok = false;
    const double v = e->text().toDouble(&ok);
    return ok ? v : 0.0;
}
} // namespace

CSoutaiDlg::CSoutaiDlg(double baseX, double baseY, QWidget* parent) : QDialog(parent), m_baseX(baseX), m_baseY(baseY)
{
    setWindowTitle(QString::fromUtf8("相対位置(単位mm)"));
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("基準 X"), new QLabel(QString::asprintf("%.2f", baseX)));
    form->addRow(QString::fromUtf8("基準 Y"), new QLabel(QString::asprintf("%.2f", -baseY)));
    m_across = new QLineEdit(QStringLiteral("0"));
    m_up = new QLineEdit(QStringLiteral("0"));
    for (QLineEdit* e : {m_across, m_up}) {
        auto* v = new QDoubleValidator(-1.0e6, 1.0e6, 3, e);
        v->setLocale(QLocale::c());
        e->setValidator(v);
        connect(e, &QLineEdit::textChanged, this, &CSoutaiDlg::Refresh);
    }
    m_across->setToolTip(QString::fromUtf8("基準点から右へのずれ（mm）"));
    m_up->setToolTip(QString::fromUtf8("基準点から上へのずれ（mm）"));
    form->addRow(QString::fromUtf8("横方向座標→"), m_across);
    form->addRow(QString::fromUtf8("縦方向座標↑"), m_up);
    m_result = new QLabel;
    form->addRow(QString::fromUtf8("位置"), m_result);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    AddOkCancel(this, top);
    Refresh();
}

double CSoutaiDlg::ResultX() const { return m_baseX + Value(m_across); }
double CSoutaiDlg::ResultY() const { return m_baseY - Value(m_up); }

void CSoutaiDlg::Refresh() { m_result->setText(QString::asprintf("(%.2f, %.2f)", ResultX(), -ResultY())); }

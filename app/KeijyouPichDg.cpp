#include "app/KeijyouPichDg.h"

#include "edit/StylePitch.h"

#include "app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
const char* const kNames[5] = {"小", "普通", "やや大", "大", "極大"};
const char* const kBuiltIn[5] = {"0.6", "1.0", "1.66", "2.5", "4.0"};
} // namespace

CKeijyouPichDg::CKeijyouPichDg(const Sizes& sizes, QWidget* parent) : QDialog(parent), m_values(sizes)
{
    setWindowTitle(U("端点の印刷時の大きさ"));
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel(U("印刷時の線や寸法線の端形状(矢印など)の大きさ(直径)"), this));
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        auto* e = new QLineEdit(QString::asprintf("%.2f", sizes[static_cast<std::size_t>(i)]), this);
        e->setObjectName(QStringLiteral("c%1").arg(1650 + i));
        m_fields[static_cast<std::size_t>(i)] = e;
        auto* row = new QHBoxLayout;
        row->addWidget(e);
        row->addWidget(new QLabel(U("mm"), this));
        form->addRow(U(kNames[i]), row);
    }
    top->addLayout(form);
    QPushButton* reset = AddOkCancel(this, top)->addButton(U("初期化リセット"), QDialogButtonBox::ResetRole);
    reset->setObjectName("c1132");
    connect(reset, &QPushButton::clicked, this, [this] { ResetToBuiltIn(); });
}

void CKeijyouPichDg::ResetToBuiltIn()
{
    for (int i = 0; i < 5; ++i)
        m_fields[static_cast<std::size_t>(i)]->setText(U(kBuiltIn[i]));
}

void CKeijyouPichDg::accept()
{
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_values[i] = stylepitch::MarkerSize(m_fields[i]->text().toStdString(), m_values[i]);
    QDialog::accept();
}

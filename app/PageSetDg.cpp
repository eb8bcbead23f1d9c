#include "app/PageSetDg.h"

#include "app/PprUseDg.h"

#include "app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

CPageSetDg::CPageSetDg(int code, pagesetup::UserSize user, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_portrait(new QRadioButton(QString::fromUtf8("縦"), this)),
      m_landscape(new QRadioButton(QString::fromUtf8("横"), this)), m_user(user)
{
    setWindowTitle(QString::fromUtf8("印刷用紙のサイズと向きの設定"));
    m_list->setAccessibleName(QString::fromUtf8("用紙サイズ"));
    for (const std::string& e : pagesetup::Entries())
        m_list->addItem(QString::fromStdString(e));
    const pagesetup::Choice c = pagesetup::ChoiceOf(code);
    m_list->setCurrentRow(c.entry);
    (c.portrait ? m_portrait : m_landscape)->setChecked(true);
    // Set up before the connection: showing the stored user entry asks nothing.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row == pagesetup::kUserEntry)
            AskUserSize();
    });

    auto* sizeBox = new QGroupBox(QString::fromUtf8("用紙サイズ"), this);
    (new QVBoxLayout(sizeBox))->addWidget(m_list);
    auto* turnBox = new QGroupBox(QString::fromUtf8("向き"), this);
    auto* turn = new QVBoxLayout(turnBox);
    turn->addWidget(m_portrait);
    turn->addWidget(m_landscape);
    turn->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(sizeBox);
    row->addWidget(turnBox);
    auto* box = new QVBoxLayout(this);
    box->addLayout(row);
    AddOkCancel(this, box);
}

int CPageSetDg::Code() const
{
    return pagesetup::CodeOf({m_list->currentRow(), m_portrait->isChecked()});
}

void CPageSetDg::AskUserSize()
{
    CPprUseDg dlg(m_user.widthMm, m_user.heightMm, this);
    if (dlg.exec() == QDialog::Accepted)
        m_user = pagesetup::ApplyUserSize(m_user, dlg.WidthMm(), dlg.HeightMm());
}

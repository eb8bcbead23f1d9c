#include "app/PprUseDg.h"

#include "app/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QLineEdit* MmField(int mm, QWidget* parent)
{
    auto* f = new QLineEdit(QString::asprintf("%d", mm), parent);
    f->setValidator(new QIntValidator(0, 999999, f));
    return f;
}
} // namespace

CPprUseDg::CPprUseDg(int widthMm, int heightMm, QWidget* parent)
    : QDialog(parent), m_w(MmField(widthMm, this)), m_h(MmField(heightMm, this))
{
    setWindowTitle(QString::fromUtf8("用紙サイズのユーザー設定"));
    m_w->setAccessibleName(QString::fromUtf8("横幅"));
    m_h->setAccessibleName(QString::fromUtf8("縦幅"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("横幅"), this), 0, 0);
    grid->addWidget(m_w, 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("mm(実寸)"), this), 0, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("縦幅"), this), 1, 0);
    grid->addWidget(m_h, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("mm(実寸)"), this), 1, 2);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    AddOkCancel(this, box);
}

int CPprUseDg::WidthMm() const { return m_w->text().toInt(); }
int CPprUseDg::HeightMm() const { return m_h->text().toInt(); }

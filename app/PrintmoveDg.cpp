#include "app/PrintmoveDg.h"

#include "app/DialogButtons.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintmoveDg::CPrintmoveDg(pageprint::PrintMove move, QWidget* parent)
    : QDialog(parent), m_left(new QRadioButton(QString::fromUtf8("←"), this)),
      m_right(new QRadioButton(QString::fromUtf8("→"), this)), m_up(new QRadioButton(QString::fromUtf8("↑"), this)),
      m_down(new QRadioButton(QString::fromUtf8("↓"), this)), m_x(new QLineEdit(this)), m_y(new QLineEdit(this))
{
    setWindowTitle(QString::fromUtf8("印刷位置調整"));
    const pagesetup::MoveView v = pagesetup::ViewOf(move);
    // Amounts beyond the range may be typed: OK then resets both, as the store expects.
    for (QLineEdit* f : {m_x, m_y})
        f->setValidator(new QIntValidator(-9999999, 9999999, f));
    m_x->setText(QString::asprintf("%d", v.amountX));
    m_y->setText(QString::asprintf("%d", v.amountY));
    m_x->setAccessibleName(QString::fromUtf8("横の移動量"));
    m_y->setAccessibleName(QString::fromUtf8("縦の移動量"));
    auto* xs = new QButtonGroup(this);
    xs->addButton(m_left), xs->addButton(m_right);
    auto* ys = new QButtonGroup(this);
    ys->addButton(m_up), ys->addButton(m_down);
    (v.left ? m_left : m_right)->setChecked(true);
    (v.up ? m_up : m_down)->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(m_left, 0, 0);
    grid->addWidget(m_right, 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("の方向へ"), this), 0, 2);
    grid->addWidget(m_x, 0, 3);
    grid->addWidget(new QLabel(QString::fromUtf8("mm(整数)"), this), 0, 4);
    grid->addWidget(m_up, 1, 0);
    grid->addWidget(m_down, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("の方向へ"), this), 1, 2);
    grid->addWidget(m_y, 1, 3);
    grid->addWidget(new QLabel(QString::fromUtf8("mm(整数)"), this), 1, 4);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    AddOkCancel(this, box);
}

pageprint::PrintMove CPrintmoveDg::Move() const
{
    pagesetup::MoveView v;
    v.amountX = m_x->text().toInt();
    v.amountY = m_y->text().toInt();
    v.left = m_left->isChecked();
    v.up = m_up->isChecked();
    return pagesetup::MoveOf(v);
}

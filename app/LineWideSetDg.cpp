#include "app/LineWideSetDg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

QComboBox* WidthList(QWidget* parent, int entries, int value, int id)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QStringLiteral("c%1").arg(id));
    for (int i = 1; i <= entries; ++i)
        c->addItem(QString::number(i));
    // A stored width outside the list shows no selection and is kept on OK.
    c->setCurrentIndex(value >= 1 && value <= entries ? value - 1 : -1);
    return c;
}
} // namespace

CLineWideSetDg::CLineWideSetDg(const Widths& screen, const Widths& printer, QWidget* parent)
    : QDialog(parent), m_screen(screen), m_printer(printer)
{
    setWindowTitle(U("線幅タイプのピッチ設定"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(U("線幅タイプ"), this), 0, 0);
    grid->addWidget(new QLabel(U("画面上の太さ"), this), 0, 1);
    grid->addWidget(new QLabel(U("プリンタ出力時の太さ"), this), 0, 2);
    for (int i = 0; i < 10; ++i) {
        grid->addWidget(new QLabel(QString::number(i + 1), this), i + 1, 0, Qt::AlignCenter);
        m_screenLists[static_cast<std::size_t>(i)] = WidthList(this, 10, screen[static_cast<std::size_t>(i)], 1484 + i);
        m_printerLists[static_cast<std::size_t>(i)] = WidthList(this, 20, printer[static_cast<std::size_t>(i)], 1494 + i);
        grid->addWidget(m_screenLists[static_cast<std::size_t>(i)], i + 1, 1);
        grid->addWidget(m_printerLists[static_cast<std::size_t>(i)], i + 1, 2);
    }
    top->addLayout(grid);
    top->addWidget(new QLabel(U("*太さはmmではありません\n画面、プリンタの解像度によって太さが決定します。"), this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(U("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(U("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

void CLineWideSetDg::accept()
{
    for (std::size_t i = 0; i < 10; ++i) {
        if (m_screenLists[i]->currentIndex() >= 0)
            m_screen[i] = m_screenLists[i]->currentIndex() + 1;
        if (m_printerLists[i]->currentIndex() >= 0)
            m_printer[i] = m_printerLists[i]->currentIndex() + 1;
    }
    QDialog::accept();
}

#include "app/LinePropSetDg.h"

#include "app/StyleSample.h"
#include "document/PlotInfo.h"
#include "platform/Profile.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
QColor FromRef(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
int ToRef(const QColor& c) { return c.red() + 256 * c.green() + 65536 * c.blue(); }
} // namespace

// A picture control: drawn by a callback, clicks reported as the cell under them.
class CStylePicture : public QWidget {
public:
    using Paint = std::function<void(QPainter&, QSize)>;
    using Click = std::function<void(QPoint, QSize)>;
    CStylePicture(QSize size, Paint paint, Click click, QWidget* parent)
        : QWidget(parent), m_paint(std::move(paint)), m_click(std::move(click))
    {
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_paint(p, size());
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (m_click && e->button() == Qt::LeftButton)
            m_click(e->position().toPoint(), size());
    }

private:
    Paint m_paint;
    Click m_click;
};

namespace {
// Two rows of 13 cells; -1 outside.
int ColourCell(QPoint pt, QSize size)
{
    const int w = size.width() / 13, h = size.height() / 2;
    if (w <= 0 || h <= 0 || pt.x() < 0 || pt.y() < 0 || pt.x() >= w * 13 || pt.y() >= h * 2)
        return -1;
    return pt.y() / h * 13 + pt.x() / w;
}

void PaintColours(QPainter& p, QSize size, const std::function<int(int)>& colour, int marked)
{
    const int w = size.width() / 13, h = size.height() / 2;
    p.fillRect(QRect(QPoint(), size), QApplication::palette().color(QPalette::Window));
    for (int i = 0; i < lineprop::kColours; ++i)
        p.fillRect(QRect(i % 13 * w, i / 13 * h, w, h), FromRef(colour(i)));
    p.setPen(Qt::black);
    for (int i = 0; i <= 13; ++i)
        p.drawLine(i * w, 0, i * w, 2 * h);
    for (int j = 0; j <= 2; ++j)
        p.drawLine(0, j * h, 13 * w, j * h);
    if (marked >= 0) {
        const QRect cell(marked % 13 * w + 1, marked / 13 * h + 1, w - 2, h - 2);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(cell);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(cell);
    }
}
} // namespace

CLinePropSetDg::CLinePropSetDg(CPlotInfo* plot, Form form, QWidget* parent) : QDialog(parent), m_plot(plot), m_form(form)
{
    setObjectName("CLinePropSetDg");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    top->setSpacing(4);

    auto* lists = new QGridLayout;
    auto combo = [this](const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromUtf8(name));
        return c;
    };
    m_lineType = combo("c1031");
    for (const char* t : lineprop::kLineTypeNames)
        m_lineType->addItem(U(t));
    m_lineWide = combo("c1321");
    for (int i = 1; i <= lineprop::kWidthTypes; ++i)
        m_lineWide->addItem(QString::number(i));
    m_endLabel = new QLabel(U("線の端点"), this);
    m_endLabel->setObjectName("c1532");
    m_endPoint = combo("c1323");
    m_sizeLabel = new QLabel(U("端点の大きさ"), this);
    m_sizeLabel->setObjectName("c1551");
    m_endSize = combo("c1531");
    lists->addWidget(new QLabel(U("線の種類"), this), 0, 0);
    lists->addWidget(m_lineType, 0, 1);
    lists->addWidget(new QLabel(U("線幅タイプ"), this), 1, 0);
    lists->addWidget(m_lineWide, 1, 1);
    lists->addWidget(m_endLabel, 2, 0);
    lists->addWidget(m_endPoint, 2, 1);
    lists->addWidget(m_sizeLabel, 3, 0);
    lists->addWidget(m_endSize, 3, 1);
    top->addLayout(lists);

    m_sample = new CStylePicture(QSize(180, 60), [this](QPainter& p, QSize s) {
        p.drawImage(0, 0, StyleSampleImage(*m_plot, m_slot, s, devicePixelRatioF()));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(QRect(QPoint(), s).adjusted(0, 0, -1, -1));
    }, nullptr, this);
    m_sample->setObjectName("c1026");
    top->addWidget(m_sample, 0, Qt::AlignHCenter);

    auto* radios = new QHBoxLayout;
    m_lineColour = new QRadioButton(U("線の色選択"), this);
    m_lineColour->setObjectName("c1028");
    m_fillColour = new QRadioButton(U("中の色選択"), this);
    m_fillColour->setObjectName("c1029");
    m_secondColour = new QRadioButton(U("第二色選択"), this);
    m_secondColour->setObjectName("c1030");
    for (QRadioButton* r : {m_lineColour, m_fillColour, m_secondColour})
        radios->addWidget(r);
    top->addLayout(radios);

    const QSize paletteSize(13 * 14 + 1, 2 * 14 + 1);
    m_basePalette = new CStylePicture(paletteSize, [](QPainter& p, QSize s) {
        PaintColours(p, s, [](int i) { return lineprop::kBaseColours[static_cast<std::size_t>(i)]; }, -1);
    }, [this](QPoint pt, QSize s) {
        if (int c = ColourCell(pt, s); c >= 0)
            ClickBase(c);
    }, this);
    m_basePalette->setObjectName("basePalette");
    top->addWidget(m_basePalette, 0, Qt::AlignHCenter);
    top->addWidget(new QLabel(U("作成した色"), this));
    m_customPalette = new CStylePicture(paletteSize, [this](QPainter& p, QSize s) {
        PaintColours(p, s, [this](int i) { return m_custom.Colour(i); }, m_custom.Next());
    }, [this](QPoint pt, QSize s) {
        if (int c = ColourCell(pt, s); c >= 0)
            ClickCustom(c);
    }, this);
    m_customPalette->setObjectName("customPalette");
    top->addWidget(m_customPalette, 0, Qt::AlignHCenter);
    auto* other = new QPushButton(U("他の色を選択..."), this);
    other->setObjectName("c1102");
    other->setAutoDefault(false);
    top->addWidget(other);

    auto* fills = new QHBoxLayout;
    m_fill = new QCheckBox(U("中を塗る"), this);
    m_fill->setObjectName("c1033");
    m_hatch = new QCheckBox(U("模様をつける"), this);
    m_hatch->setObjectName("c1034");
    fills->addWidget(m_fill);
    fills->addWidget(m_hatch);
    top->addLayout(fills);
    m_hatchPalette = new CStylePicture(QSize(6 * 24 + 1, 20), [](QPainter& p, QSize s) {
        const int w = s.width() / lineprop::kHatches;
        p.fillRect(QRect(QPoint(), s), QApplication::palette().color(QPalette::Window));
        static const Qt::BrushStyle kStyles[] = {Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
                                                 Qt::FDiagPattern, Qt::HorPattern,   Qt::VerPattern};
        for (int i = 0; i < lineprop::kHatches; ++i) {
            const QRect cell(i * w, 0, w, s.height() - 1);
            p.fillRect(cell, Qt::white);
            p.fillRect(cell, QBrush(Qt::black, kStyles[i]));
            p.setPen(Qt::black);
            p.drawRect(cell);
        }
    }, [this](QPoint pt, QSize s) {
        const int w = s.width() / lineprop::kHatches;
        if (w > 0 && pt.x() >= 0 && pt.x() / w < lineprop::kHatches)
            ClickHatch(pt.x() / w);
    }, this);
    m_hatchPalette->setObjectName("hatchPalette");
    top->addWidget(m_hatchPalette, 0, Qt::AlignHCenter);

    m_gradGroup = new QGroupBox(U("グラデーション"), this);
    auto* grad = new QHBoxLayout(m_gradGroup);
    m_gradOn = new QCheckBox(U("有効"), m_gradGroup);
    m_gradOn->setObjectName("c1662");
    m_gradDir = new QComboBox(m_gradGroup);
    m_gradDir->setObjectName("c1665");
    for (const char* t : lineprop::kDirectionNames)
        m_gradDir->addItem(U(t));
    grad->addWidget(m_gradOn);
    grad->addWidget(m_gradDir, 1);
    top->addWidget(m_gradGroup);

    auto* alpha = new QHBoxLayout;
    m_alphaLabel = new QLabel(U("不透明度"), this);
    m_alpha = new QLineEdit(this);
    m_alpha->setObjectName("c1946");
    m_alpha->setValidator(new QIntValidator(0, 100, m_alpha));
    m_alpha->setMaximumWidth(60);
    m_alphaUnit = new QLabel(U("%"), this);
    alpha->addWidget(m_alphaLabel);
    alpha->addWidget(m_alpha);
    alpha->addWidget(m_alphaUnit);
    alpha->addStretch(1);
    top->addLayout(alpha);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(U("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(U("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);

    m_lineColour->setChecked(true);

    connect(m_lineType, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && i >= 0) {
            Style().m_lineType = i;
            Changed();
        }
    });
    connect(m_lineWide, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading) {
            Style().m_lineWide = i < 0 ? 1 : i + 1;
            Changed();
        }
    });
    connect(m_endPoint, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && (m_slot == 0 || m_slot == 4)) {
            Style().m_tanten = i < 0 ? 0 : i;
            Changed();
        }
    });
    connect(m_endSize, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && m_slot == 0) {
            m_plot->m_lineYaWide = i < 0 ? 0 : i;
            Changed();
        }
    });
    connect(m_fill, &QCheckBox::clicked, this, [this](bool on) {
        Style().m_nakaNuri = on ? 1 : 0;
        m_lineColour->setChecked(!on);
        m_fillColour->setChecked(on);
        Changed();
    });
    connect(m_fillColour, &QRadioButton::clicked, this, [this](bool on) {
        if (on) {
            Style().m_nakaNuri = 1;
            m_fill->setChecked(true);
        }
        Changed();
    });
    connect(m_hatch, &QCheckBox::clicked, this, [this](bool on) {
        Style().m_bHach = on ? 1 : 0;
        Changed();
    });
    connect(m_gradOn, &QCheckBox::clicked, this, [this](bool on) {
        lineprop::SetGradationOn(Style(), on);
        Changed();
    });
    connect(m_gradDir, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && lineprop::SetGradationDirection(Style(), i))
            Changed();
    });
    connect(m_alpha, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (lineprop::SetOpacityText(Style(), t.trimmed().toStdString()))
            Changed();
    });
    connect(other, &QPushButton::clicked, this, [this] { ChooseOtherColour(); });

    if (m_form == Modal)
        SetLayout(0);
}

CStyleSlot& CLinePropSetDg::Style() { return m_plot->m_style[static_cast<std::size_t>(m_slot)]; }

void CLinePropSetDg::SetLayout(int layout)
{
    m_loading = true;
    m_layout = layout;
    m_slot = lineprop::SlotOfLayout(layout);
    setWindowTitle(U(m_form == Panel ? "作図図形の設定" : "選択図形のプロパティ"));
    m_ok->setVisible(m_form == Modal);
    m_cancel->setVisible(m_form == Modal);
    const CStyleSlot& s = Style();
    const bool closed = m_slot != 0;
    if (closed) {
        m_fill->setChecked(s.m_nakaNuri != 0);
        if (s.m_nakaNuri)
            m_fillColour->setChecked(true);
        m_hatch->setChecked(s.m_bHach != 0);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_fillColour, m_secondColour, m_fill, m_hatch, m_gradGroup,
                                                      m_gradOn, m_gradDir, m_alphaLabel, m_alpha, m_alphaUnit,
                                                      m_hatchPalette})
        w->setEnabled(closed);
    m_gradOn->setChecked(lineprop::GradationOn(s));
    m_gradDir->setCurrentIndex(lineprop::GradationDirectionIndex(s));
    m_alpha->setText(QString::number(s.m_alpha));
    m_lineWide->setCurrentIndex(std::clamp(s.m_lineWide, 1, lineprop::kWidthTypes) - 1);
    m_custom.Load(AppProfile());
    m_endPoint->clear();
    m_endSize->clear();
    if (m_slot == 0) {
        m_endLabel->setText(U("線の端点"));
        m_sizeLabel->setText(U("端点の大きさ"));
        for (const char* t : lineprop::kEndPointNames)
            m_endPoint->addItem(U(t));
        m_endPoint->setCurrentIndex(std::clamp(s.m_tanten, 0, lineprop::kEndPoints - 1));
        for (const char* t : lineprop::kEndSizeNames)
            m_endSize->addItem(U(t));
        m_endSize->setCurrentIndex(std::clamp(m_plot->m_lineYaWide, 0, 4));
        m_endPoint->setEnabled(true);
        m_endSize->setEnabled(true);
    } else if (m_slot == 4) {
        m_endLabel->setText(U("塗り形状"));
        m_sizeLabel->setText(U("端点の大きさ"));
        for (const char* t : lineprop::kArcFillNames)
            m_endPoint->addItem(U(t));
        m_endPoint->setCurrentIndex(std::clamp(s.m_tanten, 0, 2));
        m_endPoint->setEnabled(true);
        m_endSize->setEnabled(false);
    } else {
        m_endLabel->clear();
        m_sizeLabel->clear();
        m_endPoint->setEnabled(false);
        m_endSize->setEnabled(false);
    }
    m_lineType->setCurrentIndex(std::clamp(s.m_lineType, 0, lineprop::kLineTypes - 1));
    m_loading = false;
    RedrawPictures();
}

lineprop::Target CLinePropSetDg::CurrentTarget() const
{
    if (m_lineColour->isChecked())
        return lineprop::Target::Line;
    return m_fillColour->isChecked() ? lineprop::Target::Fill : lineprop::Target::Second;
}

void CLinePropSetDg::ClickBase(int cell)
{
    if (cell < 0 || cell >= lineprop::kColours)
        return;
    if (lineprop::ApplyColour(Style(), CurrentTarget(), m_fill->isChecked(),
                              lineprop::kBaseColours[static_cast<std::size_t>(cell)]))
        Changed();
}

void CLinePropSetDg::ClickCustom(int cell)
{
    if (cell < 0 || cell >= lineprop::kColours)
        return;
    lineprop::ApplyColour(Style(), CurrentTarget(), m_fill->isChecked(), m_custom.Colour(cell));
    m_custom.SetNext(AppProfile(), cell);
    AppProfile().Sync();
    Changed();
}

void CLinePropSetDg::ClickHatch(int cell)
{
    if (cell < 0 || cell >= lineprop::kHatches || !m_hatch->isChecked())
        return;
    Style().m_hachT = lineprop::kHatchStyles[static_cast<std::size_t>(cell)];
    Changed();
}

void CLinePropSetDg::ChooseOtherColour()
{
    int* target = lineprop::ChooserTarget(Style(), CurrentTarget(), m_fill->isChecked());
    QColorDialog dlg(FromRef(target ? *target : 0), this);
    const bool ok = dlg.exec() == QDialog::Accepted;
    ApplyChosenColour(ok, ToRef(dlg.selectedColor()));
}

void CLinePropSetDg::ApplyChosenColour(bool ok, int colour)
{
    if (!ok)
        return;
    if (int* target = lineprop::ChooserTarget(Style(), CurrentTarget(), m_fill->isChecked()))
        *target = colour;
    m_custom.Add(AppProfile(), colour);
    AppProfile().Sync();
    Changed();
}

void CLinePropSetDg::keyPressEvent(QKeyEvent* e)
{
    const bool closes = e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (m_form == Panel && closes) {
        e->ignore();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CLinePropSetDg::Changed()
{
    RedrawPictures();
    emit StyleChanged();
}

void CLinePropSetDg::RedrawPictures()
{
    m_sample->update();
    m_customPalette->update();
    m_basePalette->update();
    m_hatchPalette->update();
}

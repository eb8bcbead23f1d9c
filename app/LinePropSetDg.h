#pragma once
// The shape-property panel: one style slot of the plot settings. As a panel it edits
// the document's own settings (the next shape drawn takes them); as a dialog it edits
// a copy the caller writes back on OK.
#include "edit/LineProp.h"

#include <QDialog>

class CPlotInfo;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class CStylePicture;

class CLinePropSetDg : public QDialog {
    Q_OBJECT
public:
    enum Form { Panel = 0, Modal = 1 };
    CLinePropSetDg(CPlotInfo* plot, Form form, QWidget* parent = nullptr);

    // Layout 0/6 open line, 1 rectangle, 2 polygon, 3 circle, 4 arc (5 is taken as 0).
    void SetLayout(int layout);
    int Layout() const { return m_layout; }
    int Slot() const { return m_slot; }
    CStyleSlot& Style();

    // A palette cell as a click on it would choose (tests, the palettes).
    void ClickBase(int cell);
    void ClickCustom(int cell);
    void ClickHatch(int cell);
    // "他の色を選択..." with the colour the chooser returned; false for a cancelled chooser.
    void ApplyChosenColour(bool ok, int colour);

signals:
    void StyleChanged();

protected:
    // As a panel there is nothing to accept or cancel: Enter and Esc must not close it.
    void keyPressEvent(QKeyEvent* e) override;

private:
    lineprop::Target CurrentTarget() const;
    void ChooseOtherColour();
    void Changed();
    void RedrawPictures();

    CPlotInfo* m_plot;
    Form m_form;
    int m_layout = 0;
    int m_slot = 0;
    bool m_loading = false;
    lineprop::CCustomColours m_custom;
    QComboBox* m_lineType = nullptr;
    QComboBox* m_lineWide = nullptr;
    QLabel* m_endLabel = nullptr;
    QComboBox* m_endPoint = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QComboBox* m_endSize = nullptr;
    QRadioButton* m_lineColour = nullptr;
    QRadioButton* m_fillColour = nullptr;
    QRadioButton* m_secondColour = nullptr;
    QCheckBox* m_fill = nullptr;
    QCheckBox* m_hatch = nullptr;
    QGroupBox* m_gradGroup = nullptr;
    QCheckBox* m_gradOn = nullptr;
    QComboBox* m_gradDir = nullptr;
    QLabel* m_alphaLabel = nullptr;
    QLineEdit* m_alpha = nullptr;
    QLabel* m_alphaUnit = nullptr;
    CStylePicture* m_sample = nullptr;
    CStylePicture* m_basePalette = nullptr;
    CStylePicture* m_customPalette = nullptr;
    CStylePicture* m_hatchPalette = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

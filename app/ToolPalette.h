#pragma once
// The tool palette: tool buttons, the mouse-constraint buttons, the grid controls
// and the layer button, refreshed from the document.
#include <QWidget>

class CMainFrame;
class QCheckBox;
class QLineEdit;
class QToolButton;

class CToolPalette : public QWidget {
    Q_OBJECT
public:
    explicit CToolPalette(CMainFrame* frame);

    // Buttons' enabled and pressed states from the document, the selection and the mode.
    void Refresh();
    // The style sample on the プロパティ button.
    void RefreshPropertyBar();
    // 表示, 吸着, 横, 縦 from the grid record; a pitch field being typed in keeps its
    // text unless forced.
    void RefreshGrid(bool force = false);
    // "第%d層" with the edit layer.
    void RefreshLayerButton();
    // A pitch typed into 横 (horizontal) or 縦: 1-499 is stored; anything else shows the
    // previous value again. True when stored.
    bool SetPitch(bool horizontal, const QString& text);

    QToolButton* Button(int id) const;

private:
    QToolButton* AddButton(int id, const char* text);

    CMainFrame* m_frame;
    QCheckBox* m_gridShown = nullptr;
    QCheckBox* m_gridSnap = nullptr;
    QLineEdit* m_pitchW = nullptr;
    QLineEdit* m_pitchD = nullptr;
};

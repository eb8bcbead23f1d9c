#pragma once
// The main window: the drawing view and everything around it.
#include <QMainWindow>
#include <QStringList>

#include <memory>

class CPelmoraDoc;
class CPelmoraView;
class QAction;
class QMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CPelmoraDoc* GetDocument() const { return m_doc.get(); }
    CPelmoraView* GetView() const { return m_view; }
    // Check marks of the display switches from the document.
    void UpdateSwitchActions();

    void NewDocument();
    // Opens path into the document; false when the open failed (already shown to the user).
    bool OpenDocumentFile(const QString& path);
    bool SaveDocument();
    bool SaveDocumentAs();
    // Shows the window at its stored place, maximized when the store says so.
    void ShowAtStart();
    void UpdateTitle();
    QStringList RecentFiles() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateViewMenu();
    void AddRecentFile(const QString& path);
    void UpdateRecentMenu();
    // Asks to save a modified document; false when the user cancelled.
    bool SaveModified();
    void WritePlacement();

    std::unique_ptr<CPelmoraDoc> m_doc;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QAction* m_recentActions[4] = {};
    QAction* m_exitAction = nullptr;
    CPelmoraView* m_view = nullptr;
    QMenu* m_viewMenu = nullptr;
    QAction* m_monochromeAction = nullptr;
    QAction* m_gradationAction = nullptr;
    QAction* m_greyAction = nullptr;
    QAction* m_gridAction = nullptr;
};

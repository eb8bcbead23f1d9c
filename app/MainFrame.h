#pragma once
// The main window: the drawing view and everything around it.
#include <QMainWindow>
#include <QStringList>

#include <set>
#include <span>

#include <functional>
#include <map>
#include <memory>

class CPelmoraDoc;
class CPelmoraView;
class CLinePropSetDg;
class CToolPalette;
class QDockWidget;
class QToolBar;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTimer;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CPelmoraDoc* GetDocument() const { return m_doc.get(); }
    CPelmoraView* GetView() const { return m_view; }
    // Check marks of the display switches from the document.
    void UpdateSwitchActions();
    // Enabled and checked states of the editing commands, and the status bar.
    void UpdateCommandStates();
    // The action of a command id (tests, the tool bars); nullptr when there is none.
    QAction* Command(int id) const;
    QLabel* PromptPane() const { return m_promptPane; }
    QLabel* AbsolutePane() const { return m_absPane; }
    QLabel* RelativePane() const { return m_relPane; }
    // The recovery file: written while the document has unsaved changes, offered at
    // the next start when the program did not close normally.
    static constexpr int kRecoveryIntervalMs = 3 * 60 * 1000;
    bool WriteRecoveryNow();
    // At start: offers a drawing left by a crashed run; true when one was restored.
    bool OfferRecovery();
    // Command 32853: the backup of the current document, or one chosen from the backups.
    void OpenBackup();

    void NewDocument();
    // Opens path into the document; false when the open failed (already shown to the user).
    bool OpenDocumentFile(const QString& path);
    bool SaveDocument();
    bool SaveDocumentAs();
    // Shows the window at its stored place, maximized when the store says so.
    void ShowAtStart();
    void UpdateTitle();
    QStringList RecentFiles() const;

    // The tool bars, the palette and the panels a tool opens.
    QToolBar* FileToolBar() const { return m_fileBar; }
    QToolBar* GroupToolBar() const { return m_groupBar; }
    QToolBar* DrawToolBar() const { return m_drawBar; }
    CToolPalette* Palette() const { return m_palette; }
    QDockWidget* PaletteDock() const { return m_paletteDock; }
    CLinePropSetDg* ShapePanel() const { return m_shapePanel; }
    QWidget* ShapePanelFrame() const { return m_panelHolder; }
    // Commands on a bar whose feature is not built: present and greyed.
    bool IsUnbuilt(int id) const { return m_unbuilt.count(id) != 0; }
    void ClosePanels();
    void OpenToolPanels(int mode);
    void PlacePanels();
    // The palette's プロパティ: the style of the one selected line, as a dialog.
    void SelectionProperties();
    QAction* PaletteCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateViewMenu();
    // The editing menus, the status bar panes and the view's context menu.
    void CreateEditMenus();
    void CreateStatusBar();
    void CreateToolBars();
    void CreateHelpMenu();
    void CreatePalette();
    QAction* ToolCommand(int id, const char* text = nullptr, const char* tip = nullptr);
    QToolBar* MakeToolBar(const char* title, const char* name, std::span<const int> ids, Qt::ToolBarArea area);
    void CreateDrawMenu();
    void BuildContextMenu(QMenu& menu, int which, bool greyed);
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& tip, std::function<void()> run);
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
    QMenu* m_editMenu = nullptr;
    QMenu* m_drawMenu = nullptr;
    QActionGroup* m_modeGroup = nullptr;
    std::map<int, QAction*> m_commands;
    std::map<int, int> m_modeOfCommand;
    QTimer* m_recoveryTimer = nullptr;
    unsigned m_recoveryRevision = 0;
    QLabel* m_promptPane = nullptr;
    QLabel* m_absPane = nullptr;
    QLabel* m_relPane = nullptr;
    QToolBar* m_fileBar = nullptr;
    QToolBar* m_groupBar = nullptr;
    QToolBar* m_drawBar = nullptr;
    bool m_lineTool = true;
    std::set<int> m_unbuilt;
    QDockWidget* m_paletteDock = nullptr;
    CToolPalette* m_palette = nullptr;
    QWidget* m_panelHolder = nullptr;
    CLinePropSetDg* m_shapePanel = nullptr;
    int m_panelMode = -1;
};

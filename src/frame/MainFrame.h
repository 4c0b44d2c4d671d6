// The main window: menu, accelerators, the main and tree toolbars, the depth box, the nine-pane
// status bar and the view.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "frame/GuideDlg.h"
#include "platform/CommandTarget.h"
#include "platform/MainFrameLink.h"

class QMenu;
class QToolBar;

namespace morvale {

class CMorvale1Doc;
class CMorvale1View;
class CommandRouter;
class DepthComboBox;
class PaneStatusBar;

inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int kDepthBoxWidth = 60;    // pixels
inline constexpr int kDepthBoxHeight = 100;  // pixels, with the list dropped down

// Where the toolbar images come from (16 x 15 pixels per button, in button order).
struct FrameImages {
    QString mainBar = QStringLiteral(":/res/toolbar.png");
    QString treeBar = QStringLiteral(":/res/treebar.png");
};

class CMainFrame : public QMainWindow, public IMainFrame, public CCmdTarget {
public:
    explicit CMainFrame(CommandRouter& router, FrameImages images = {});
    ~CMainFrame() override;

    // Builds the window around the document's view; false when OnCreate refused.
    bool LoadFrame(CMorvale1Doc* document);
    void PreCreateWindow();
    int OnCreate(CMorvale1Doc* document);
    void ActivateFrame(int nCmdShow = -1);

    CMorvale1Doc* GetActiveDocument() const { return document_; }
    CMorvale1View* GetActiveView() const { return view_; }

    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void OnViewTreeBar();
    void OnUpdateViewTreeBar(CCmdUI* ui);
    // Shows the guide (one at a time); it stays open beside the window.
    void OnHelpGuide();
    CGuideDlg* Guide() const { return guide_; }
    void OnViewToolBar();
    void OnUpdateViewToolBar(CCmdUI* ui);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* ui);
    void OnViewDeepZoom();
    void OnUpdateViewDeepZoom(CCmdUI* ui);
    void OnSelChangeDepth();
    void OnEditChangeDepth();
    void OnSetFocusDepth();

    // IMainFrame.
    void SetWindowText(const std::string& title) override;
    void SetPaneInfo(int index, UINT id, PaneStyle style, int width) override;
    void SetPaneText(int index, const std::string& text, bool update = true) override;
    void SetPaneFittingText(int index, const PaneFittingText& text) override;
    void SetDepthBoxText(const std::string& text) override;

    // Shows the recent-file entries under the file menu's place holder.
    void UpdateRecentFileMenu(const QStringList& paths);
    // Called with each local file dropped on the window.
    void SetFileDropHandler(std::function<void(const QString& path)> handler) {
        fileDropHandler_ = std::move(handler);
    }

    DepthComboBox* m_wndDepthBox = nullptr;
    PaneStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndTreeBar = nullptr;

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainFrameBars.cpp: actions, menu, toolbars and the depth box from the resource tables.
    QAction* CommandAction(UINT id);
    void CreateMenu();
    void CreateAccelerators();
    bool CreateToolBar(QToolBar*& bar, const QString& title, std::span<const UINT> buttons,
                       const QString& imageFile);
    bool CreateStatusBar();
    void CreateDepthBox();
    void CreatePictureMenu();
    void PlaceDepthBox();
    void DockToolBars();
    QString IdleText() const;

    CommandRouter& router_;
    FrameImages images_;
    CMorvale1Doc* document_ = nullptr;
    CMorvale1View* view_ = nullptr;
    std::vector<QAction*> recentFileActions_;
    std::function<void(const QString& path)> fileDropHandler_;
    QPointer<CGuideDlg> guide_;
};

}  // namespace morvale

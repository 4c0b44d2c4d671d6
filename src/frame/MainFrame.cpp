#include "frame/MainFrame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

#include "doc/Morvale1Doc.h"
#include "frame/GuideDlg.h"
#include "platform/TextConversion.h"
#include "platform/qt/CommandRouter.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/PaneStatusBar.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/ViewHints.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

using F = CMainFrame;

constexpr CommandEntry<F> kCommands[] = {
    {ID_VIEW_TOOLBAR, &F::OnViewToolBar, &F::OnUpdateViewToolBar},
    {ID_VIEW_STATUS_BAR, &F::OnViewStatusBar, &F::OnUpdateViewStatusBar},
    {ID_VIEW_TREEBAR, &F::OnViewTreeBar, &F::OnUpdateViewTreeBar},
    {ID_VIEW_DEEP_ZOOM, &F::OnViewDeepZoom, &F::OnUpdateViewDeepZoom},
    {ID_HELP_GUIDE, &F::OnHelpGuide},
};

// Where the deep zoom choice is remembered between runs.
const QString kDeepZoomKey = QStringLiteral("Ansicht/Tiefzoom");

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    return files;
}

}  // namespace

CMainFrame::CMainFrame(CommandRouter& router, FrameImages images)
    : router_(router), images_(std::move(images)) {}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame(CMorvale1Doc* document) {
    PreCreateWindow();
    CreateMenu();
    CreateAccelerators();
    return OnCreate(document) == 0;
}

void CMainFrame::PreCreateWindow() {
    // The title only changes when the program sets it; the document's name never shows in it.
    setWindowTitle(Utf8(res::kFrameTitle));
    setWindowIcon(QIcon(QStringLiteral(":/res/morvale1-48.png")));
    // The bars' own context menu would offer a second way to hide the tree toolbar.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(true);
}

int CMainFrame::OnCreate(CMorvale1Doc* document) {
    document_ = document;
    if (document_) document_->DeepZoom = QSettings().value(kDeepZoomKey, true).toBool();
    view_ = new CMorvale1View(document, this);
    setCentralWidget(view_);
    if (!CreateToolBar(m_wndToolBar, QStringLiteral("Symbolleiste"), res::MainToolbarButtons(),
                       images_.mainBar)) {
        qWarning("Failed to create toolbar");
        return -1;
    }
    if (!CreateStatusBar()) {
        qWarning("Failed to create status bar");
        return -1;
    }
    if (!CreateToolBar(m_wndTreeBar, QStringLiteral("Baum"), res::TreeToolbarButtons(),
                       images_.treeBar)) {
        qWarning("Failed to create toolbar");
        return -1;
    }
    CreateDepthBox();
    CreatePictureMenu();
    DockToolBars();
    return 0;
}

void CMainFrame::ActivateFrame(int) {
    // Whatever the caller asks for, the frame always shows maximised. Without a window manager
    // nobody maximises, so the frame also takes the screen's free area itself.
    if (const QScreen* shown = screen()) setGeometry(shown->availableGeometry());
    showMaximized();
    // The keyboard belongs to the view, not to the first control of the toolbar.
    if (view_) view_->setFocus();
    raise();
    activateWindow();
}

bool CMainFrame::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kCommands, id);
}

bool CMainFrame::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kCommands, ui);
}

void CMainFrame::OnViewTreeBar() {
    m_wndTreeBar->setVisible(m_wndTreeBar->isHidden());
}

void CMainFrame::OnUpdateViewTreeBar(CCmdUI* ui) {
    ui->SetCheck(!m_wndTreeBar->isHidden());
}

void CMainFrame::OnHelpGuide() {
    if (!guide_) {
        guide_ = new CGuideDlg(images_.treeBar, this);
        guide_->setAttribute(Qt::WA_DeleteOnClose);
    }
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void CMainFrame::OnViewToolBar() {
    m_wndToolBar->setVisible(m_wndToolBar->isHidden());
}

void CMainFrame::OnUpdateViewToolBar(CCmdUI* ui) {
    ui->SetCheck(!m_wndToolBar->isHidden());
}

void CMainFrame::OnViewStatusBar() {
    m_wndStatusBar->setVisible(m_wndStatusBar->isHidden());
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* ui) {
    ui->SetCheck(!m_wndStatusBar->isHidden());
}

void CMainFrame::OnViewDeepZoom() {
    if (!document_) return;
    document_->DeepZoom = !document_->DeepZoom;
    QSettings().setValue(kDeepZoomKey, document_->DeepZoom);
}

void CMainFrame::OnUpdateViewDeepZoom(CCmdUI* ui) {
    ui->SetCheck(document_ && document_->DeepZoom);
}

void CMainFrame::OnSelChangeDepth() {
    CMorvale1Doc* document = GetActiveDocument();
    const int index = m_wndDepthBox->currentIndex();
    // The first item is a label that stands for the default depth.
    const QString text = index == 0 ? QStringLiteral("33") : m_wndDepthBox->itemText(index);
    const int depth = Atoi(text.toStdString());
    if (document) document->SetDepth(depth, 1);
}

void CMainFrame::OnEditChangeDepth() {
    const int depth = Atoi(m_wndDepthBox->lineEdit()->text().toStdString());
    if (CMorvale1Doc* document = GetActiveDocument()) document->SetDepth(depth, 1);
}

void CMainFrame::OnSetFocusDepth() {
    if (CMorvale1Doc* document = GetActiveDocument())
        m_wndDepthBox->setEditText(QString::fromStdString(document->DepthText));
}

void CMainFrame::SetWindowText(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void CMainFrame::SetPaneInfo(int index, UINT id, PaneStyle style, int width) {
    m_wndStatusBar->SetPaneInfo(index, id, style, width);
}

void CMainFrame::SetPaneText(int index, const std::string& text, bool update) {
    // A repaint from inside the view's own painting would recurse; the text then shows with it.
    m_wndStatusBar->SetPaneText(index, QString::fromStdString(text),
                                update && !view_->IsPainting());
}

void CMainFrame::SetPaneFittingText(int index, const PaneFittingText& text) {
    m_wndStatusBar->SetPaneFittingText(index, text, !view_->IsPainting());
}

void CMainFrame::SetDepthBoxText(const std::string& text) {
    m_wndDepthBox->setEditText(QString::fromStdString(text));
}

// While a drawing without a chosen view shows, pane 0 keeps saying how to choose one; while an
// almost black picture shows, that a larger depth shows more.
QString CMainFrame::IdleText() const {
    const std::string_view hint = view_ ? NoViewHint(*view_) : std::string_view();
    if (!hint.empty()) return Utf8(hint);
    if (view_ && !view_->PictureHint.empty()) return QString::fromStdString(view_->PictureHint);
    return Utf8(res::kIdleMessage);
}

bool CMainFrame::event(QEvent* event) {
    // Prompts go to the prompt pane only; the status bar's own message would cover the other panes.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty())
            m_wndStatusBar->SetPaneText(PaneIndex(Pane::Prompt), IdleText(),
                                        !view_ || !view_->IsPainting());
        else
            m_wndStatusBar->ShowPrompt(PaneIndex(Pane::Prompt), tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    // One document at a time: the last file dropped stays open.
    for (const QString& file : files)
        if (fileDropHandler_) fileDropHandler_(file);
}

}  // namespace morvale

// The frame's menu, accelerators, toolbars, depth box and status bar, built from the resource
// tables.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QToolBar>

#include "frame/ButtonImages.h"
#include "frame/MainFrame.h"
#include "platform/qt/CommandRouter.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/DialogFont.h"
#include "platform/qt/PaneStatusBar.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

constexpr int kRecentFileCount = 4;

// Greyed menu items are highlighted under the pointer and show their prompt, as the other items
// do; Qt's styles would skip them.
class GreyedItemsHoverStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

}  // namespace

QAction* CMainFrame::CommandAction(UINT id) {
    if (QAction* existing = router_.Action(id)) return existing;
    auto* action = new QAction(this);
    if (const res::CommandString* strings = res::FindCommandString(id)) {
        action->setStatusTip(Utf8(strings->prompt));
        action->setToolTip(Utf8(strings->tooltip));
    }
    // Keeps shortcuts alive while bars or menus are hidden.
    addAction(action);
    router_.Register(action, id);
    return action;
}

void CMainFrame::CreateMenu() {
    // Menus hold their style weakly, so the frame may own it.
    auto* menuStyle = new GreyedItemsHoverStyle;
    menuStyle->setParent(this);
    for (const res::MenuPopup& popup : res::MainMenu()) {
        QMenu* menu = menuBar()->addMenu(Utf8(popup.title));
        menu->setStyle(menuStyle);
        connect(menu, &QMenu::aboutToShow, &router_, &CommandRouter::UpdateActions);
        for (const res::MenuItem& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
            } else if (item.id == ID_FILE_MRU_FIRST) {
                for (int i = 0; i < kRecentFileCount; ++i) {
                    QAction* action = CommandAction(ID_FILE_MRU_FIRST + UINT(i));
                    recentFileActions_.push_back(action);
                    menu->addAction(action);
                }
                UpdateRecentFileMenu({});
            } else {
                QAction* action = CommandAction(item.id);
                action->setText(Utf8(item.text));
                menu->addAction(action);
            }
        }
    }
}

void CMainFrame::CreatePictureMenu() {
    auto* menu = new QMenu(view_);
    connect(menu, &QMenu::aboutToShow, &router_, &CommandRouter::UpdateActions);
    for (const res::MenuItem& item : res::PictureMenu()) {
        QAction* action = CommandAction(item.id);
        action->setText(Utf8(item.text));
        menu->addAction(action);
    }
    view_->SetPictureMenu(menu);
}

void CMainFrame::CreateAccelerators() {
    for (const res::Accelerator& accelerator : res::Accelerators()) {
        QAction* action = CommandAction(accelerator.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(QKeySequence(Utf8(accelerator.keys), QKeySequence::PortableText));
        action->setShortcuts(keys);
    }
}

bool CMainFrame::CreateToolBar(QToolBar*& bar, const QString& title, std::span<const UINT> buttons,
                               const QString& imageFile) {
    const ButtonImages images(imageFile);
    if (images.Count() < std::count_if(buttons.begin(), buttons.end(), [](UINT id) { return id; }))
        return false;
    bar = new QToolBar(title, this);
    bar->setObjectName(QString::number(ID_VIEW_TOOLBAR));
    bar->setIconSize(kButtonImage);
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    int image = 0;
    for (UINT id : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = CommandAction(id);
        action->setIcon(images.Icon(image++));
        // Button images belong to the toolbar; the menus show text only.
        action->setIconVisibleInMenu(false);
        bar->addAction(action);
    }
    connect(bar, &QToolBar::visibilityChanged, &router_, &CommandRouter::UpdateActions);
    return true;
}

bool CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new PaneStatusBar(kPaneCount, this);
    setStatusBar(m_wndStatusBar);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int quarter = screen ? screen->size().width() / 4 : 200;
    // Every pane starts a quarter of the screen wide; the first also takes the free width.
    m_wndStatusBar->SetPaneInfo(PaneIndex(Pane::Prompt), 0, SBPS_NOBORDERS | SBPS_STRETCH, quarter);
    for (int i = PaneIndex(Pane::Readout); i < kPaneCount; ++i)
        m_wndStatusBar->SetPaneInfo(i, 0, SBPS_NORMAL, quarter);
    m_wndStatusBar->SetPaneText(PaneIndex(Pane::Prompt), Utf8(res::kIdleMessage), false);
    return true;
}

void CMainFrame::CreateDepthBox() {
    m_wndDepthBox = new DepthComboBox(m_wndToolBar);
    m_wndDepthBox->setObjectName(QString::number(IDC_DEPTHBOX));
    m_wndDepthBox->setFont(DialogFont());
    m_wndDepthBox->setFixedWidth(kDepthBoxWidth);
    m_wndDepthBox->addItem(QStringLiteral("Tiefe"));
    for (int n = 6; n <= 72; n += 10) m_wndDepthBox->addItem(QString::asprintf("%d", n));
    // The list drops down to the box's full height.
    const int row = std::max(1, m_wndDepthBox->fontMetrics().height() + 2);
    m_wndDepthBox->setMaxVisibleItems(
        std::max(1, (kDepthBoxHeight - m_wndDepthBox->sizeHint().height()) / row));
    m_wndDepthBox->setCurrentIndex(0);
    PlaceDepthBox();
    m_wndDepthBox->SetNotifications({.selChange = [this] { OnSelChangeDepth(); },
                                     .editChange = [this] { OnEditChangeDepth(); },
                                     .setFocus = [this] { OnSetFocusDepth(); }});
}

// The depth box takes the place of the toolbar's place-holder button, and its id.
void CMainFrame::PlaceDepthBox() {
    QAction* placeholder = router_.Action(ID_DEPTH_PLACEHOLDER);
    QAction* slot = m_wndToolBar->insertWidget(placeholder, m_wndDepthBox);
    slot->setObjectName(QString::number(IDC_DEPTHBOX));
    slot->setData(IDC_DEPTHBOX);
    m_wndToolBar->removeAction(placeholder);
    removeAction(placeholder);
    router_.Unregister(ID_DEPTH_PLACEHOLDER);
    delete placeholder;
}

void CMainFrame::DockToolBars() {
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    // The tree toolbar has its own row under the main one, and takes room only while shown.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wndTreeBar);
    m_wndTreeBar->hide();
}

void CMainFrame::UpdateRecentFileMenu(const QStringList& paths) {
    for (int i = 0; i < int(recentFileActions_.size()); ++i) {
        QAction* action = recentFileActions_[std::size_t(i)];
        if (i < paths.size()) {
            QString shown = QDir::toNativeSeparators(paths[i]);
            shown.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            action->setVisible(true);
        } else {
            action->setText(Utf8(res::kMruPlaceholder));
            action->setVisible(i == 0);
        }
    }
    router_.UpdateActions();
}

}  // namespace morvale

// The application: start-up, the one document with its frame and view, the command line, the
// application's commands and the file commands that every document program shares.
#pragma once

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "frame/MainFrame.h"
#include "keep/ViewRecord.h"
#include "platform/CommandTarget.h"
#include "platform/qt/CommandRouter.h"
#include "platform/qt/LastFolders.h"
#include "platform/qt/PrintSupport.h"
#include "platform/qt/RecentFileList.h"
#include "video/ZoomVideo.h"

namespace morvale {

class CMorvale1Doc;
class CMorvale1View;
class IPresetDialogs;

inline constexpr int kRecentFileEntries = 4;

class CMorvale1App : public QApplication, public CCmdTarget {
public:
    using PresetDialogsFactory = std::function<std::unique_ptr<IPresetDialogs>(QWidget* owner)>;

    CMorvale1App(int& argc, char** argv);
    ~CMorvale1App() override;

    static CMorvale1App* Instance();

    // The start-up sequence; false ends the program before the event loop (see ExitCode).
    bool InitInstance();
    bool InitInstance(const QStringList& arguments);
    // Closes the window and drops the document (the end of a run; tests start afresh after it).
    void ExitInstance();
    int ExitCode() const { return exitCode_; }

    // Where the database dialogs come from; applied whenever the document is made.
    void SetPresetDialogsFactory(PresetDialogsFactory factory);
    void SetFrameImages(FrameImages images) { frameImages_ = std::move(images); }

    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    // The shared document behaviour: save, save as, recent files, exit.
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    // Entry index of the recent-file list, from 0.
    void OnRecentFile(int index);
    void OnUpdateRecentFile(CCmdUI* ui, int index);

    // Opens a document file; a failure is reported to the user and changes nothing.
    bool OpenDocumentFile(const QString& path);
    bool SaveDocumentFile(const QString& path);

    // Pictures with their views: save, open, copy; greyed while no picture is shown.
    void OnFileSavePicture();
    void OnFileOpenView();
    void OnEditCopy();
    // The plane point of the picture menu's click as text, every digit it needs.
    void OnCopyPoint();
    void OnUpdatePicture(CCmdUI* ui);
    // Writes the picture on the screen with its view; a failure is reported to the user.
    bool SavePictureFile(const QString& path);
    // A zoom video from the whole set down to the escape-time view on the screen; greyed
    // otherwise. SaveZoomFlight makes it into path with a progress dialog (Escape cancels);
    // false when cancelled or failed (reported), and nothing is then left under path.
    void OnFileSaveZoomFlight();
    void OnUpdateZoomFlight(CCmdUI* ui);
    bool SaveZoomFlight(const QString& path, const ZoomVideoOptions& options);
    // Opens the view a PNG written by Morvale carries, as a preset taken in the database dialog,
    // and draws it; a failure is reported to the user and changes nothing.
    bool OpenViewFile(const QString& path);
    // A file dropped on the window or named on the command line: PNG pictures as views, the rest
    // as documents.
    bool OpenPictureOrDocument(const QString& path);
    // A PNG by its name or its first bytes.
    static bool LooksLikePng(const QString& path);

    CMorvale1Doc* GetDocument() const { return document_.get(); }
    CMainFrame* GetMainFrame() const { return frame_.get(); }
    CMorvale1View* GetView() const;
    CommandRouter& Router() { return router_; }
    RecentFileList& RecentFiles() { return recentFiles_; }
    PrintSupport& Printing() { return printing_; }

private:
    void LoadTranslations();
    bool CreateDocumentAndFrame();
    bool ProcessCommandLine(const QStringList& arguments);
    bool PrintFromCommandLine(const QString& path, const QString& pdfFile);
    void InitialUpdate();
    // The document's title or path changed: printing follows it.
    void DocumentNamed();
    void RecentFilesChanged();
    QString FileDialog(bool save);
    QString PictureDialog(bool save, const QString& suggested);
    // The picture on the screen: its view, and its pixels where they are kept as shown (the tree,
    // a whole escape-time picture without a red frame; else null: computed again); none while
    // nothing is drawn.
    struct ShownPicture {
        ViewRecord view;
        QImage drawn;
    };
    std::optional<ShownPicture> PictureOnScreen() const;

    CommandRouter router_;
    RecentFileList recentFiles_{kRecentFileEntries};
    LastFolders lastFolders_;
    PrintSupport printing_;
    FrameImages frameImages_;
    PresetDialogsFactory presetDialogsFactory_;
    std::unique_ptr<IPresetDialogs> presetDialogs_;
    // Declared before the frame, which refers to it, so it outlives the frame.
    std::unique_ptr<CMorvale1Doc> document_;
    std::unique_ptr<CMainFrame> frame_;
    bool translationsLoaded_ = false;
    int exitCode_ = 0;
};

}  // namespace morvale

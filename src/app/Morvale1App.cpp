#include "app/Morvale1App.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>
#include <cstdio>

#include "app/CommandLine.h"
#include "doc/Morvale1Doc.h"
#include "doc/PresetDialogs.h"
#include "frame/AboutDlg.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

using App = CMorvale1App;

constexpr CommandEntry<App> kCommands[] = {
    {ID_APP_ABOUT, &App::OnAppAbout},
    {ID_FILE_NEW, &App::OnFileNew},
    {ID_FILE_OPEN, &App::OnFileOpen},
    {ID_FILE_PRINT_SETUP, &App::OnFilePrintSetup},
    // What every document program answers the same way.
    {ID_FILE_SAVE, &App::OnFileSave},
    {ID_FILE_SAVE_AS, &App::OnFileSaveAs},
    {ID_FILE_MRU_FIRST, &App::OnRecentFile, &App::OnUpdateRecentFile, 0},
    {ID_FILE_MRU_FIRST + 1, &App::OnRecentFile, &App::OnUpdateRecentFile, 1},
    {ID_FILE_MRU_FIRST + 2, &App::OnRecentFile, &App::OnUpdateRecentFile, 2},
    {ID_FILE_MRU_FIRST + 3, &App::OnRecentFile, &App::OnUpdateRecentFile, 3},
    {ID_APP_EXIT, &App::OnAppExit},
    {ID_FILE_SAVE_PICTURE, &App::OnFileSavePicture, &App::OnUpdatePicture},
    {ID_FILE_OPEN_VIEW, &App::OnFileOpenView},
    {ID_FILE_SAVE_ZOOM_FLIGHT, &App::OnFileSaveZoomFlight, &App::OnUpdateZoomFlight},
    {ID_EDIT_COPY, &App::OnEditCopy, &App::OnUpdatePicture},
    {ID_COPY_POINT, &App::OnCopyPoint, &App::OnUpdatePicture},
};

// A box without a window to sit over: centred on the screen once its final size is known (Qt
// places it before the size settles).
class ScreenCentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (const QScreen* shown = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(shown->availableGeometry().center());
            move(frame.topLeft());
        }
    }
};

}  // namespace

CMorvale1App::CMorvale1App(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(Utf8(res::kSettingsKey));
    setApplicationName(Utf8(res::kAppName));
    setApplicationVersion(kAppVersion);
    setWindowIcon(QIcon(QStringLiteral(":/res/morvale1-48.png")));
    printing_.SetFolders(&lastFolders_);
    if (const res::CommandString* close = res::FindCommandString(AFX_IDS_PREVIEW_CLOSE))
        printing_.SetPreviewCloseTexts(Utf8(close->prompt), Utf8(close->tooltip));
}

CMorvale1App::~CMorvale1App() {
    ExitInstance();
}

CMorvale1App* CMorvale1App::Instance() {
    return static_cast<CMorvale1App*>(QCoreApplication::instance());
}

bool CMorvale1App::InitInstance() {
    return InitInstance(arguments());
}

bool CMorvale1App::InitInstance(const QStringList& arguments) {
    ExitInstance();
    exitCode_ = 0;
    LoadTranslations();
    recentFiles_.ReadList();
    lastFolders_.Read();
    if (!CreateDocumentAndFrame()) {
        ScreenCentredMessageBox failure(
            QMessageBox::Critical, Utf8(res::kAppName),
            QStringLiteral("Ein leeres Dokument konnte nicht erstellt werden."));
        failure.exec();
        ExitInstance();
        exitCode_ = 1;
        return false;
    }
    if (!ProcessCommandLine(arguments)) {
        ExitInstance();
        return false;
    }
    frame_->show();
    return true;
}

void CMorvale1App::ExitInstance() {
    router_.SetTargets({});
    router_.Clear();
    if (document_) document_->SetPresetDialogs(nullptr);
    frame_.reset();
    document_.reset();
    presetDialogs_.reset();
}

void CMorvale1App::LoadTranslations() {
    if (translationsLoaded_) return;
    translationsLoaded_ = true;
    // Qt's own dialogs, buttons, dates and sizes speak German like the rest of the program,
    // whatever the system locale. The document's own text conversions keep the "C" rules.
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    auto* translator = new QTranslator(this);
    if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool CMorvale1App::CreateDocumentAndFrame() {
    document_ = std::make_unique<CMorvale1Doc>();
    frame_ = std::make_unique<CMainFrame>(router_, frameImages_);
    if (!frame_->LoadFrame(document_.get())) return false;
    CMorvale1View* view = frame_->GetActiveView();
    router_.SetTargets({view, document_.get(), frame_.get(), this});
    document_->SetMainFrame(frame_.get());
    view->SetMainFrame(frame_.get());
    view->SetPrintSupport(&printing_);
    if (presetDialogsFactory_) presetDialogs_ = presetDialogsFactory_(frame_.get());
    document_->SetPresetDialogs(presetDialogs_.get());
    frame_->SetFileDropHandler([this](const QString& path) { OpenPictureOrDocument(path); });
    frame_->UpdateRecentFileMenu(recentFiles_.Entries());
    router_.UpdateWhenIdle();
    return true;
}

void CMorvale1App::SetPresetDialogsFactory(PresetDialogsFactory factory) {
    presetDialogsFactory_ = std::move(factory);
    if (!document_) return;
    presetDialogs_ = presetDialogsFactory_ ? presetDialogsFactory_(frame_.get()) : nullptr;
    document_->SetPresetDialogs(presetDialogs_.get());
}

bool CMorvale1App::ProcessCommandLine(const QStringList& arguments) {
    CommandLine line;
    if (!line.Parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(line.ErrorText()));
        exitCode_ = 2;
        return false;
    }
    if (line.Help() || line.Version()) {
        std::fputs(qPrintable(line.Help() ? line.HelpText()
                                          : applicationName() + QLatin1Char(' ') +
                                                applicationVersion() + '\n'),
                   stdout);
        return false;
    }
    const QString file = line.File();
    if (line.Print()) {
        exitCode_ = PrintFromCommandLine(file, line.PrintTo()) ? 0 : 1;
        return false;
    }
    if (file.isEmpty()) {
        OnFileNew();
        return true;
    }
    // A kept view opens on a new document, as if taken from the menu after the start.
    const bool view = LooksLikePng(file);
    if (view) OnFileNew();
    if (view ? OpenViewFile(file) : OpenDocumentFile(file)) return true;
    exitCode_ = 1;
    return false;
}

bool CMorvale1App::PrintFromCommandLine(const QString& path, const QString& pdfFile) {
    if (!path.isEmpty() && !OpenDocumentFile(path)) return false;
    if (!pdfFile.isEmpty()) {
        printing_.Printer().setOutputFormat(QPrinter::PdfFormat);
        printing_.Printer().setOutputFileName(pdfFile);
    } else if (!printing_.HasPrinter()) {
        std::fprintf(
            stderr,
            "Morvale1: Kein Drucker eingerichtet; --print-to <pdf> druckt in eine Datei.\n");
        return false;
    }
    CMorvale1View* view = GetView();
    const bool printed =
        printing_.Print(nullptr, false, [view](CDC& dc) { return view->DrawPage(dc); });
    if (!printed) std::fprintf(stderr, "Morvale1: Drucken fehlgeschlagen.\n");
    return printed;
}

CMorvale1View* CMorvale1App::GetView() const {
    return frame_ ? frame_->GetActiveView() : nullptr;
}

bool CMorvale1App::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kCommands, id);
}

bool CMorvale1App::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kCommands, ui);
}

void CMorvale1App::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CMorvale1App::OnFilePrintSetup() {
    printing_.PrintSetup(frame_.get());
}

}  // namespace morvale

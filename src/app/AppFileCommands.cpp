// New, Open, Save, Save As, the recent files and Exit: one document, reused for every file.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/Morvale1App.h"
#include "doc/Morvale1Doc.h"
#include "platform/qt/FileErrors.h"
#include "platform/qt/LocalisedFileModel.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

// The name offered for an untitled document.
const QString kUntitled = QStringLiteral("Unbenannt");

}  // namespace

void CMorvale1App::InitialUpdate() {
    DocumentNamed();
    GetView()->Invalidate();
    frame_->ActivateFrame();
}

void CMorvale1App::DocumentNamed() {
    printing_.SetDocument(QString::fromStdString(document_->GetTitle()),
                          QString::fromStdString(document_->GetPathName()));
}

void CMorvale1App::OnFileNew() {
    if (!document_->OnNewDocument()) return;
    InitialUpdate();
}

QString CMorvale1App::FileDialog(bool save) {
    QFileDialog dialog(frame_.get(),
                       save ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen"));
    // Qt's own dialog: it speaks German with the program and behaves alike on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new LocalisedFileModel(&dialog));
    dialog.setNameFilter(Utf8(res::kFileFilter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The folder last used; before any, the document's own.
    QString folder = lastFolders_.Documents();
    if (folder.isEmpty() && !document_->GetPathName().empty())
        folder = QFileInfo(QString::fromStdString(document_->GetPathName())).absolutePath();
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (save) {
        dialog.setDefaultSuffix(Utf8(res::kFileExtension).mid(1));
        const QString title = QString::fromStdString(document_->GetTitle());
        dialog.selectFile(title.isEmpty() ? kUntitled + Utf8(res::kFileExtension) : title);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().first();
    lastFolders_.DocumentChosen(chosen);
    return chosen;
}

void CMorvale1App::OnFileOpen() {
    const QString path = FileDialog(false);
    if (!path.isEmpty()) OpenDocumentFile(path);
}

bool CMorvale1App::OpenDocumentFile(const QString& path) {
    const std::error_code error = document_->OnOpenDocument(path.toStdString());
    if (error) {
        QMessageBox::warning(frame_.get(), Utf8(res::kAppName), OpenFailedMessage(path, error));
        return false;
    }
    recentFiles_.Add(path);
    RecentFilesChanged();
    InitialUpdate();
    return true;
}

void CMorvale1App::OnFileSave() {
    const QString path = QString::fromStdString(document_->GetPathName());
    if (path.isEmpty())
        OnFileSaveAs();
    else
        SaveDocumentFile(path);
}

void CMorvale1App::OnFileSaveAs() {
    const QString path = FileDialog(true);
    if (!path.isEmpty()) SaveDocumentFile(path);
}

bool CMorvale1App::SaveDocumentFile(const QString& path) {
    const std::error_code error = document_->OnSaveDocument(path.toStdString());
    if (error) {
        QMessageBox::warning(frame_.get(), Utf8(res::kAppName), SaveFailedMessage(path, error));
        return false;
    }
    recentFiles_.Add(path);
    RecentFilesChanged();
    DocumentNamed();
    return true;
}

void CMorvale1App::OnRecentFile(int index) {
    if (index >= recentFiles_.Count()) return;
    if (OpenDocumentFile(recentFiles_.Entries()[index])) return;
    // A file that cannot be opened any more leaves the list.
    recentFiles_.Remove(index);
    RecentFilesChanged();
}

void CMorvale1App::OnUpdateRecentFile(CCmdUI* ui, int index) {
    ui->Enable(index < recentFiles_.Count());
}

void CMorvale1App::RecentFilesChanged() {
    // A settings file that cannot be written only costs the list its next start.
    recentFiles_.WriteList();
    if (frame_) frame_->UpdateRecentFileMenu(recentFiles_.Entries());
}

// The document is never modified, so there is nothing to ask before closing.
void CMorvale1App::OnAppExit() {
    if (frame_) frame_->close();
}

}  // namespace morvale

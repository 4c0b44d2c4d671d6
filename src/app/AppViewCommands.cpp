// Pictures with their views: save the picture on the screen as a PNG that carries its view, open
// such a view again (menu or drop), and copy the picture or a point of it to the clipboard.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>

#include "app/Morvale1App.h"
#include "doc/Morvale1Doc.h"
#include "keep/ViewFile.h"
#include "platform/qt/FileErrors.h"
#include "platform/qt/ImageSurface.h"
#include "platform/qt/LocalisedFileModel.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/KeptViews.h"
#include "view/qt/Morvale1View.h"
#include "view/readout/PointerReadout.h"

namespace morvale {
namespace {

const QString kPngFilter = QStringLiteral("PNG-Bilder (*.png)");
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

QString SuggestedName(ViewKind kind) {
    static const QString names[] = {QStringLiteral("Julia.png"), QStringLiteral("Mandelbrot.png"),
                                    QStringLiteral("Baum.png")};
    return names[int(kind)];
}

PictureSize SizeOf(QSize size) {
    return {size.width(), size.height()};
}

// Why the picture could not be written: errno where the system left one, else Qt's words.
QString WriteFailure(const QString& path, const QSaveFile& file, int error) {
    if (error != 0) return SaveFailedMessage(path, std::error_code(error, std::generic_category()));
    return QStringLiteral("Die Datei %1 kann nicht gespeichert werden.\n%2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
}

}  // namespace

std::optional<CMorvale1App::ShownPicture> CMorvale1App::PictureOnScreen() const {
    const CMorvale1View* view = GetView();
    if (!view) return std::nullopt;
    if (view->ViewMode == Drawing::Tree && view->DrawingCount() > 0)
        return ShownPicture{
            RecordTree(*view, SizeOf(view->DeviceSize()), SizeOf(view->Picture().size())),
            view->Picture()};
    if (view->ViewMode != Drawing::EscapeTime || !view->LastWholePicture()) return std::nullopt;
    // While a drawing, a preview or a frame is on the screen, the last whole picture stands for
    // it: written at once, with the view it shows.
    const CMorvale1View::WholePicture& whole = *view->LastWholePicture();
    return ShownPicture{whole.view, whole.image};
}

void CMorvale1App::OnUpdatePicture(CCmdUI* ui) {
    ui->Enable(PictureOnScreen().has_value());
}

QString CMorvale1App::PictureDialog(bool save, const QString& suggested) {
    QFileDialog dialog(frame_.get(), save ? QStringLiteral("Bild speichern unter")
                                          : QStringLiteral("Ansicht öffnen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new LocalisedFileModel(&dialog));
    dialog.setNameFilter(kPngFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (const QString folder = lastFolders_.Pictures(); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (save) {
        dialog.setDefaultSuffix(QStringLiteral("png"));
        dialog.selectFile(suggested);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().first();
    lastFolders_.PictureChosen(chosen);
    return chosen;
}

void CMorvale1App::OnFileSavePicture() {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    if (!shown) return;
    const QString path = PictureDialog(true, SuggestedName(shown->view.kind));
    if (!path.isEmpty()) SavePictureFile(path);
}

bool CMorvale1App::SavePictureFile(const QString& path) {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    if (!shown) return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QSaveFile file(path);
    errno = 0;
    bool written = file.open(QIODevice::WriteOnly);
    const ByteSink sink = [&file](const std::uint8_t* data, std::size_t size) {
        return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
    };
    if (written) {
        QImage pixels = shown->drawn.convertToFormat(QImage::Format_RGB32);
        written = WritePictureWithView(ImageSurface(pixels), shown->view, sink);
    }
    written = written && file.commit();
    const int error = errno;
    QGuiApplication::restoreOverrideCursor();
    if (!written)
        QMessageBox::warning(frame_.get(), Utf8(res::kAppName), WriteFailure(path, file, error));
    return written;
}

void CMorvale1App::OnFileOpenView() {
    const QString path = PictureDialog(false, {});
    if (!path.isEmpty()) OpenViewFile(path);
}

bool CMorvale1App::OpenViewFile(const QString& path) {
    const ViewReading reading = ReadViewFile(QFile::encodeName(path).toStdString());
    if (reading.outcome != ViewOutcome::Read) {
        const QString message = reading.outcome == ViewOutcome::Unreadable
                                    ? OpenFailedMessage(path, reading.error)
                                    : QString::fromStdString(ViewReadingMessage(
                                          reading, QDir::toNativeSeparators(path).toStdString()));
        QMessageBox::warning(frame_.get(), Utf8(res::kAppName), message);
        return false;
    }
    const ViewRecord& view = reading.record;
    document_->TakeView(view.kind == ViewKind::Julia ? Fractal::Julia : Fractal::Mandelbrot,
                        ViewPresetTexts(view));
    CMorvale1View* shown = GetView();
    shown->OnSeries(view.series);
    shown->OnDrawCommand();
    router_.UpdateWhenIdle();
    return true;
}

bool CMorvale1App::LooksLikePng(const QString& path) {
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return true;
    // Only a regular file is looked into: a FIFO would block.
    std::error_code error;
    if (!std::filesystem::is_regular_file(QFile::encodeName(path).toStdString(), error))
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(kPngSignature.size()) == kPngSignature;
}

bool CMorvale1App::OpenPictureOrDocument(const QString& path) {
    return LooksLikePng(path) ? OpenViewFile(path) : OpenDocumentFile(path);
}

void CMorvale1App::OnEditCopy() {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    if (!shown) return;
    QImage picture = shown->drawn;
    picture.setDevicePixelRatio(1.0);
    QGuiApplication::clipboard()->setImage(picture);
}

void CMorvale1App::OnCopyPoint() {
    const CMorvale1View* view = GetView();
    const std::string text = view ? PointText(*view, view->MenuPoint) : std::string();
    if (!text.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace morvale

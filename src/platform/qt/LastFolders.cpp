#include "platform/qt/LastFolders.h"

#include <QFileInfo>
#include <QSettings>

namespace morvale {
namespace {

const QString kDocumentsKey = QStringLiteral("Documents");
const QString kPrintingKey = QStringLiteral("Printing");
const QString kPicturesKey = QStringLiteral("Pictures");

QString ExistingFolder(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString FolderOf(const QString& file) {
    return QFileInfo(file).absolutePath();
}

}  // namespace

LastFolders::LastFolders(QString section) : section_(std::move(section)) {}

void LastFolders::Read() {
    QSettings settings;
    settings.beginGroup(section_);
    const auto text = [&settings](const QString& key) {
        const QVariant value = settings.value(key);
        return value.typeId() == QMetaType::QString ? value.toString() : QString();
    };
    documents_ = text(kDocumentsKey);
    printing_ = text(kPrintingKey);
    pictures_ = text(kPicturesKey);
}

bool LastFolders::Write() const {
    QSettings settings;
    if (!settings.isWritable()) return false;
    settings.beginGroup(section_);
    settings.setValue(kDocumentsKey, documents_);
    settings.setValue(kPrintingKey, printing_);
    settings.setValue(kPicturesKey, pictures_);
    settings.endGroup();
    settings.sync();
    return settings.status() != QSettings::AccessError;
}

QString LastFolders::Documents() const {
    return ExistingFolder(documents_);
}

QString LastFolders::Printing() const {
    return ExistingFolder(printing_);
}

QString LastFolders::Pictures() const {
    return ExistingFolder(pictures_);
}

void LastFolders::PictureChosen(const QString& file) {
    pictures_ = FolderOf(file);
    Write();
}

void LastFolders::DocumentChosen(const QString& file) {
    documents_ = FolderOf(file);
    Write();
}

void LastFolders::PrintFileChosen(const QString& file) {
    printing_ = FolderOf(file);
    Write();
}

}  // namespace morvale

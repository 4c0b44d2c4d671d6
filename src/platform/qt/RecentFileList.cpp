#include "platform/qt/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace morvale {
namespace {

QString EntryKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(int size, QString section)
    : size_(size), section_(std::move(section)) {}

void RecentFileList::ReadList() {
    entries_.clear();
    QSettings settings;
    settings.beginGroup(section_);
    for (int i = 0; i < size_; ++i) {
        const QVariant value = settings.value(EntryKey(i));
        if (value.typeId() != QMetaType::QString) continue;
        const QString path = value.toString();
        if (!path.isEmpty() && !entries_.contains(path)) entries_.append(path);
    }
}

bool RecentFileList::WriteList() const {
    QSettings settings;
    if (!settings.isWritable()) return false;
    settings.beginGroup(section_);
    settings.remove(QString());
    for (int i = 0; i < Count(); ++i) settings.setValue(EntryKey(i), entries_[i]);
    settings.endGroup();
    settings.sync();
    // The status keeps the first error, so an earlier parse error of a repaired file is no failure.
    return settings.status() != QSettings::AccessError;
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    entries_.removeAll(absolute);
    entries_.prepend(absolute);
    while (Count() > size_) entries_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < Count()) entries_.removeAt(index);
}

}  // namespace morvale

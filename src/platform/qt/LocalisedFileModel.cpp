#include "platform/qt/LocalisedFileModel.h"

#include <QFileSystemModel>
#include <QLocale>

namespace morvale {
namespace {

// QFileSystemModel's columns.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

}  // namespace

QVariant LocalisedFileModel::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole ||
        (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kDateColumn)
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    if (files->isDir(source)) return QIdentityProxyModel::data(index, role);
    return QLocale().formattedDataSize(files->size(source), 1, QLocale::DataSizeTraditionalFormat);
}

}  // namespace morvale

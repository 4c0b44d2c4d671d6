// The file dialog's list with sizes and dates in the program's locale (QLocale()), not the
// system's: Qt's file model formats them for the system locale, so under LANG=C a German dialog
// would still show "8 Dec" and "bytes".
#pragma once

#include <QIdentityProxyModel>

namespace morvale {

class LocalisedFileModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace morvale

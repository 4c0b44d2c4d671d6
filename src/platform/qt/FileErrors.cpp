#include "platform/qt/FileErrors.h"

#include <QDir>
#include <array>
#include <cerrno>

namespace morvale {
namespace {

struct Reason {
    int code;
    const char* text;
};

constexpr std::array kReasons = {
    Reason{ENOENT, "Die Datei oder der Ordner existiert nicht."},
    Reason{EACCES, "Zugriff verweigert."},
    Reason{EPERM, "Die Operation ist nicht erlaubt."},
    Reason{EISDIR, "Der Name bezeichnet einen Ordner."},
    Reason{ENOTDIR, "Ein Teil des Pfades ist kein Ordner."},
    Reason{ENOSPC, "Auf dem Datenträger ist kein Platz mehr frei."},
    Reason{EROFS, "Das Dateisystem ist schreibgeschützt."},
    Reason{ENAMETOOLONG, "Der Dateiname ist zu lang."},
    Reason{EIO, "Ein-/Ausgabefehler."},
    Reason{EDQUOT, "Das Speicherkontingent ist erschöpft."},
    Reason{ENODEV, "Der Name bezeichnet keine gewöhnliche Datei."},
};

}  // namespace

QString DescribeFileError(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        for (const Reason& reason : kReasons)
            if (reason.code == error.value()) return QString::fromUtf8(reason.text);
    return QString::fromStdString(error.message());
}

QString OpenFailedMessage(const QString& path, const std::error_code& error) {
    return QStringLiteral("Die Datei %1 kann nicht geöffnet werden.\n%2")
        .arg(QDir::toNativeSeparators(path), DescribeFileError(error));
}

QString SaveFailedMessage(const QString& path, const std::error_code& error) {
    return QStringLiteral("Die Datei %1 kann nicht gespeichert werden.\n%2")
        .arg(QDir::toNativeSeparators(path), DescribeFileError(error));
}

}  // namespace morvale

// The folders the file dialogs last used: one for opening and saving documents, one for printing
// to a file, one for pictures saved or opened as views. Kept in the application's settings beside
// the recent-file list; like it, a missing or damaged settings file only costs the remembered
// folders.
#pragma once

#include <QString>

namespace morvale {

class LastFolders {
public:
    explicit LastFolders(QString section = QStringLiteral("Last Folders"));

    void Read();
    // False when the settings cannot be written; the folders in memory are kept either way.
    bool Write() const;

    // Empty while unknown or when the folder no longer exists.
    QString Documents() const;
    QString Printing() const;
    QString Pictures() const;
    // Each takes the folder of the file the user chose, and writes the settings.
    void DocumentChosen(const QString& file);
    void PrintFileChosen(const QString& file);
    void PictureChosen(const QString& file);

private:
    QString section_;
    QString documents_;
    QString printing_;
    QString pictures_;
};

}  // namespace morvale

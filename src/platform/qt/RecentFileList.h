// The most-recently-used file list, kept in the application's settings ("Recent File List",
// File1..FileN). A missing, unreadable, corrupt or read-only settings file gives an empty or
// partial list and never an error the program has to handle.
#pragma once

#include <QString>
#include <QStringList>

namespace morvale {

class RecentFileList {
public:
    explicit RecentFileList(int size, QString section = QStringLiteral("Recent File List"));

    void ReadList();
    // False when the settings cannot be written; the list in memory is kept either way.
    bool WriteList() const;

    // Puts the file first, as an absolute path, dropping an older entry for it and the oldest
    // beyond the size.
    void Add(const QString& path);
    void Remove(int index);

    const QStringList& Entries() const { return entries_; }
    int Size() const { return size_; }
    int Count() const { return int(entries_.size()); }

private:
    int size_;
    QString section_;
    QStringList entries_;
};

}  // namespace morvale

// CRecentFileList: the most recently opened or saved projects, newest first, kept in the settings.
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// Entries are absolute paths, compared case-sensitively (as the file system does here); at most
// Capacity() of them. Stored as File1..FileN in the group "Recent File List".
class CRecentFileList {
public:
    explicit CRecentFileList(int capacity) : m_capacity(capacity) {}

    [[nodiscard]] int Capacity() const { return m_capacity; }
    [[nodiscard]] const QStringList& Files() const { return m_files; }

    // Puts path first, removing an older entry of it and the oldest beyond the capacity.
    void Add(const QString& path);
    void Remove(int index);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

private:
    int m_capacity;
    QStringList m_files;
};

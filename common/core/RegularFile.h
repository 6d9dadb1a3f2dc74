#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <string>

// A file opened only when it is a regular file of its own: a planted link
// is not followed, and a FIFO or device neither blocks nor is accepted.
class RegularFile {
public:
    enum class Access { Read, Write };

    RegularFile(const QString &path, Access access);
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    bool isOpen() const { return m_handle != -1; }

    // At most limit bytes from the start; empty on a read error.
    std::optional<QByteArray> readAtMost(qint64 limit) const;

    // Truncates, writes and flushes to the disk.
    bool replaceWith(const std::string &text) const;

private:
    // The platform's calls: bytes moved (0 at the end), or -1 on an error.
    qint64 readSome(char *data, qint64 size) const;
    qint64 writeSome(const char *data, qint64 size) const;
    bool truncateAndRewind() const;
    bool flushToDisk() const;

    // A descriptor or a handle, whichever the platform gives.
    qintptr m_handle = -1;
};

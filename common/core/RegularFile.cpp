#include "common/core/RegularFile.h"

std::optional<QByteArray> RegularFile::readAtMost(qint64 limit) const
{
    QByteArray contents(limit, Qt::Uninitialized);
    qint64 done = 0;
    while (done < limit) {
        const qint64 got = readSome(contents.data() + done, limit - done);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    contents.truncate(done);
    return contents;
}

bool RegularFile::replaceWith(const std::string &text) const
{
    if (!truncateAndRewind())
        return false;
    qint64 done = 0;
    const qint64 size = qint64(text.size());
    while (done < size) {
        const qint64 put = writeSome(text.data() + done, size - done);
        if (put <= 0)
            return false;
        done += put;
    }
    return flushToDisk();
}

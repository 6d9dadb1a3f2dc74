#include "common/core/RegularFile.h"

#include <windows.h>

namespace {

HANDLE handleOf(qintptr value)
{
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

// FILE_FLAG_OPEN_REPARSE_POINT opens a link or junction itself rather than
// its target, and the type check then refuses it, as it refuses a pipe or a
// device.
RegularFile::RegularFile(const QString &path, Access access)
{
    const bool reading = access == Access::Read;
    const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()),
                                      reading ? GENERIC_READ : GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      reading ? OPEN_EXISTING : OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info {};
    const DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info)
        || (info.dwFileAttributes & notRegular) != 0) {
        ::CloseHandle(file);
        return;
    }
    m_handle = reinterpret_cast<qintptr>(file);
}

RegularFile::~RegularFile()
{
    if (isOpen())
        ::CloseHandle(handleOf(m_handle));
}

std::optional<QByteArray> RegularFile::readAtMost(qint64 limit) const
{
    QByteArray contents(limit, Qt::Uninitialized);
    qint64 done = 0;
    while (done < limit) {
        DWORD got = 0;
        if (!::ReadFile(handleOf(m_handle), contents.data() + done, DWORD(limit - done), &got, nullptr))
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
    const HANDLE file = handleOf(m_handle);
    if (!::SetEndOfFile(file))
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD put = 0;
        if (!::WriteFile(file, text.data() + done, DWORD(text.size() - done), &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    return ::FlushFileBuffers(file) != 0;
}

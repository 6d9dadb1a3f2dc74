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

qint64 RegularFile::readSome(char *data, qint64 size) const
{
    DWORD got = 0;
    return ::ReadFile(handleOf(m_handle), data, DWORD(size), &got, nullptr) ? qint64(got) : -1;
}

qint64 RegularFile::writeSome(const char *data, qint64 size) const
{
    DWORD put = 0;
    return ::WriteFile(handleOf(m_handle), data, DWORD(size), &put, nullptr) ? qint64(put) : -1;
}

bool RegularFile::truncateAndRewind() const
{
    LARGE_INTEGER start {};
    return ::SetFilePointerEx(handleOf(m_handle), start, nullptr, FILE_BEGIN) && ::SetEndOfFile(handleOf(m_handle));
}

bool RegularFile::flushToDisk() const
{
    return ::FlushFileBuffers(handleOf(m_handle)) != 0;
}

#include "localfiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LocalFiles
{
namespace
{
constexpr char16_t EscapeBase = 0xDC00;

mode_t s_creationMask = 022;

/// Length of the valid UTF-8 sequence at @p at, or 0 when the bytes there are
/// not one (overlong forms, surrogates and values above U+10FFFF included).
int utf8SequenceLength(const QByteArray &bytes, qsizetype at, char32_t *codePoint)
{
    const auto byte = [&bytes](qsizetype i) { return uchar(bytes.at(i)); };
    const uchar lead = byte(at);
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const uchar next = byte(at + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

/// Writes all of @p bytes to @p fd. Returns 0, or the error that stopped it.
int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qsizetype>(left, 1 << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

QString refusal()
{
    return QStringLiteral("refused: it is the input file");
}
} // namespace

QString decodeName(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const int length = utf8SequenceLength(bytes, at, &codePoint);
        if (length == 0) {
            name.append(QChar(char16_t(EscapeBase + uchar(bytes.at(at)))));
            ++at;
            continue;
        }
        name.append(QString::fromUcs4(&codePoint, 1));
        at += length;
    }
    return name;
}

QByteArray encodeName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool escaped = unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF
            && (i == 0 || !name.at(i - 1).isHighSurrogate());
        if (!escaped)
            continue;
        bytes.append(QStringView(name).mid(runStart, i - runStart).toUtf8());
        bytes.append(char(unit - EscapeBase));
        runStart = i + 1;
    }
    bytes.append(QStringView(name).mid(runStart).toUtf8());
    return bytes;
}

QString displayName(const QString &name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t unit = shown.at(i).unicode();
        if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF && (i == 0 || !shown.at(i - 1).isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

QString errorText(int error)
{
    char buffer[256];
    // The GNU strerror_r, which may return a static string instead.
    const char *text = ::strerror_r(error, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

FileId fileId(const QString &path)
{
    struct stat status;
    if (::stat(encodeName(path).constData(), &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, true, S_ISREG(status.st_mode)};
}

FileId fileId(int fd)
{
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, true, S_ISREG(status.st_mode)};
}

bool isDirectory(const QString &path)
{
    struct stat status;
    return ::stat(encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isRegularFile(int fd)
{
    struct stat status;
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

QString canonicalPath(const QString &path)
{
    const QByteArray bytes = encodeName(path);
    char resolved[PATH_MAX];
    if (::realpath(bytes.constData(), resolved))
        return decodeName(QByteArray(resolved));
    if (::realpath(folderOf(bytes).constData(), resolved))
        return decodeName(QByteArray(resolved) + '/' + nameOf(bytes));
    return path;
}

QString makePath(const QString &path)
{
    QByteArray bytes = encodeName(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    struct stat status;
    if (::stat(bytes.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? QString() : errorText(ENOTDIR);
    // Each missing folder from the top down.
    for (qsizetype slash = bytes.indexOf('/', 1); ; slash = bytes.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? bytes : bytes.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return errorText(errno);
        if (slash < 0)
            break;
    }
    return QString();
}

void initialise()
{
    s_creationMask = ::umask(022);
    ::umask(s_creationMask);
}

int openForReading(const QString &path, QString *error)
{
    int fd;
    do {
        fd = ::open(encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *error = QStringLiteral("cannot open: %1").arg(errorText(errno));
        return -1;
    }
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("cannot open: %1").arg(errorText(EISDIR));
        return -1;
    }
    return fd;
}

QString writeFile(const QString &path, const QByteArray &bytes, const FileId &input)
{
    OutputFile file(path, input);
    if (const QString reason = file.write(bytes.constData(), bytes.size()); !reason.isEmpty())
        return reason;
    return file.commit();
}

OutputFile::OutputFile(const QString &path, const FileId &input)
    : m_target(encodeName(path))
    , m_input(input)
{
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

QString OutputFile::open()
{
    m_opened = true;
    struct stat status;
    const bool exists = ::stat(m_target.constData(), &status) == 0;
    if (exists && FileId{status.st_dev, status.st_ino, true, false} == m_input)
        return refusal();
    if (exists && S_ISDIR(status.st_mode))
        return errorText(EISDIR);

    if (exists && !S_ISREG(status.st_mode)) {
        // A device, FIFO or socket: written where it is.
        do {
            m_fd = ::open(m_target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        } while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0)
            return errorText(errno);
        m_inPlace = true;
        return QString();
    }

    if (exists) {
        // Through a symbolic link: replace the file it names, keep the link.
        char resolved[PATH_MAX];
        if (::realpath(m_target.constData(), resolved))
            m_target = resolved;
    }
    const mode_t mode = exists ? (status.st_mode & 07777) : (0666 & ~s_creationMask);
    QByteArray name = folderOf(m_target) + "/.tavisk-XXXXXX";
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0)
        return errorText(errno);
    m_temporary = name;
    if (::fchmod(m_fd, mode) != 0)
        return errorText(errno);
    return QString();
}

QString OutputFile::write(const char *data, qint64 size)
{
    if (m_error.isEmpty() && !m_opened)
        m_error = open();
    if (!m_error.isEmpty())
        return m_error;
    if (const int error = writeAll(m_fd, QByteArray::fromRawData(data, size)))
        m_error = errorText(error);
    return m_error;
}

QString OutputFile::commit()
{
    if (m_error.isEmpty() && !m_opened)
        m_error = open();
    if (!m_error.isEmpty()) {
        discard();
        return m_error;
    }
    int error = 0;
    // Full disks and quotas of some file systems show only here.
    if (!m_inPlace && ::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        error = errno;
    if (::close(m_fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    m_fd = -1;
    if (error == 0 && !m_inPlace && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        error = errno;
    if (error != 0) {
        m_error = errorText(error);
        discard();
        return m_error;
    }
    m_temporary.clear();
    return QString();
}

QString writeStandardOutput(const QByteArray &bytes)
{
    const int error = writeAll(STDOUT_FILENO, bytes);
    return error == 0 ? QString() : errorText(error);
}

FileSet::FileSet(const QString &folder, const FileId &input)
    : m_folder(folder)
    , m_input(input)
{
}

FileSet::~FileSet()
{
    discard();
}

QString FileSet::begin()
{
    QByteArray name = encodeName(m_folder) + "/.tavisk-XXXXXX";
    if (!::mkdtemp(name.data()))
        return errorText(errno);
    m_temporaryFolder = name;
    return QString();
}

QString FileSet::add(const QString &name, const QByteArray &bytes)
{
    const QByteArray path = m_temporaryFolder + '/' + encodeName(name);
    int fd;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666 & ~s_creationMask);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errorText(errno);
    m_names.append(name);
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error == 0 ? QString() : errorText(error);
}

QString FileSet::commit(const std::function<bool(const QString &)> &isStale, QString *failedFile)
{
    const QByteArray folder = encodeName(m_folder);
    // Nothing moves unless every target can take its file.
    for (const QString &name : std::as_const(m_names)) {
        const QByteArray target = folder + '/' + encodeName(name);
        struct stat status;
        if (::stat(target.constData(), &status) != 0)
            continue;
        QString reason;
        if (FileId{status.st_dev, status.st_ino, true, false} == m_input)
            reason = refusal();
        else if (!S_ISREG(status.st_mode))
            reason = S_ISDIR(status.st_mode) ? errorText(EISDIR) : QStringLiteral("not a regular file");
        if (!reason.isEmpty()) {
            *failedFile = m_folder + QLatin1Char('/') + name;
            return reason;
        }
    }
    for (const QString &name : std::as_const(m_names)) {
        const QByteArray target = folder + '/' + encodeName(name);
        if (::rename((m_temporaryFolder + '/' + encodeName(name)).constData(), target.constData()) != 0) {
            *failedFile = m_folder + QLatin1Char('/') + name;
            return errorText(errno);
        }
    }
    const QStringList written = m_names;
    m_names.clear();
    discard();

    // Files of an earlier, longer run of the same name go.
    if (DIR *directory = ::opendir(folder.constData())) {
        QList<QByteArray> stale;
        while (const dirent *entry = ::readdir(directory)) {
            const QString name = decodeName(QByteArray(entry->d_name));
            if (!written.contains(name) && isStale(name))
                stale.append(folder + '/' + entry->d_name);
        }
        ::closedir(directory);
        for (const QByteArray &path : std::as_const(stale)) {
            struct stat status;
            if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode)
                && !(FileId{status.st_dev, status.st_ino, true, false} == m_input))
                ::unlink(path.constData());
        }
    }
    return QString();
}

void FileSet::discard()
{
    if (m_temporaryFolder.isEmpty())
        return;
    for (const QString &name : std::as_const(m_names))
        ::unlink((m_temporaryFolder + '/' + encodeName(name)).constData());
    ::rmdir(m_temporaryFolder.constData());
    m_temporaryFolder.clear();
    m_names.clear();
}
} // namespace LocalFiles

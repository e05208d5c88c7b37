#ifndef TAVISK_TOOL_LOCALFILES_H
#define TAVISK_TOOL_LOCALFILES_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <functional>

/**
 * File names and file access of the tool, done on the bytes of the names.
 *
 * A name given on the command line need not be valid UTF-8. Qt decodes such
 * bytes to U+FFFD and cannot give them back, so the tool decodes names
 * itself: valid UTF-8 as usual, every byte that is not part of valid UTF-8 as
 * the lone surrogate U+DC80 + byte. Such a string goes through QString
 * operations (path joins, suffixes) unchanged and encodes back to the very
 * bytes given. Every access to the file system goes through the functions
 * below, never through QFile or QFileInfo with a name.
 */
namespace LocalFiles
{
/// The name @p bytes as a string; undecodable bytes become U+DC80 + byte.
QString decodeName(const QByteArray &bytes);
/// The bytes of @p name: the inverse of decodeName().
QByteArray encodeName(const QString &name);
/// @p name as readable text, each undecodable byte shown as U+FFFD.
QString displayName(const QString &name);

/// The text of the system error @p error ("No space left on device").
QString errorText(int error);

/// A file as the file system knows it, whatever name reaches it.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool valid = false;
    bool regular = false; ///< a regular file, not a device, FIFO or folder
    bool operator==(const FileId &other) const
    {
        return valid && other.valid && device == other.device && inode == other.inode;
    }
};

/// The file @p path names (following symbolic links); invalid when it does
/// not exist.
FileId fileId(const QString &path);
/// The file open on @p fd.
FileId fileId(int fd);

bool isDirectory(const QString &path);
/// Whether @p fd is open on a regular file.
bool isRegularFile(int fd);

/// @p path with symbolic links, "." and ".." resolved; for a file that does
/// not exist yet, its folder resolved and its name appended.
QString canonicalPath(const QString &path);

/// Creates the folder @p path and the folders above it that are missing.
/// Returns the reason on failure, an empty string on success.
QString makePath(const QString &path);

/// Remembers the process's file creation mask; call once at start, before
/// any thread writes a file.
void initialise();

/// Opens @p path for reading; returns the descriptor, or -1 with @p error
/// set to the reason ("cannot open: ...").
int openForReading(const QString &path, QString *error);

/**
 * Writes @p bytes as the whole content of @p path. A regular file (or a name
 * that does not exist yet) is written beside the target and renamed over it
 * once every byte is written and flushed to disk, so a failure leaves the
 * earlier file as it was; a symbolic link keeps pointing at the file it
 * names. An existing device or FIFO is not ours to replace: it is opened and
 * written in place. The file @p input is never written.
 *
 * Returns the reason on failure, an empty string on success.
 */
QString writeFile(const QString &path, const QByteArray &bytes, const FileId &input);

/// Writes @p bytes to standard output. Returns the reason on failure
/// ("Broken pipe", "No space left on device").
QString writeStandardOutput(const QByteArray &bytes);

/**
 * A file written piece by piece, with the safety of writeFile(): a regular
 * file (or a name that does not exist yet) is written beside the target and
 * renamed over it by commit(), once every byte is written and flushed to
 * disk; an existing device or FIFO is written in place; the file @p input
 * is never written. The target is opened by the first write() (or by
 * commit(), for an empty file), so nothing is touched before there is
 * something to write. An OutputFile destroyed before commit() leaves the
 * earlier file as it was and no temporary file behind.
 */
class OutputFile
{
public:
    OutputFile(const QString &path, const FileId &input);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    /// Appends @p size bytes. Returns the reason on failure; after a failure
    /// nothing more is written and commit() fails with the same reason.
    QString write(const char *data, qint64 size);
    /// Puts the file in place. Returns the reason on failure.
    QString commit();

private:
    QString open();
    void discard();

    QByteArray m_target;
    FileId m_input;
    int m_fd = -1;
    bool m_opened = false;
    bool m_inPlace = false; // a device or FIFO, written where it is
    QByteArray m_temporary;
    QString m_error;
};

/**
 * A set of files written together: each file goes into a hidden temporary
 * folder beside the targets, and commit() moves them all into place and
 * removes earlier files the caller names as stale. A set that is never
 * committed leaves nothing behind.
 */
class FileSet
{
public:
    /// @p folder is where the files will be; @p input is never replaced.
    FileSet(const QString &folder, const FileId &input);
    ~FileSet();
    FileSet(const FileSet &) = delete;
    FileSet &operator=(const FileSet &) = delete;

    /// Creates the temporary folder. Returns the reason on failure.
    QString begin();
    /// Writes @p bytes as the file @p name (no folder part) of the set.
    /// Returns the reason on failure.
    QString add(const QString &name, const QByteArray &bytes);
    /// Moves the files into place, then removes the files of the folder
    /// whose names @p isStale accepts and that the set did not write.
    /// Returns an empty string, or the target that failed and the reason.
    QString commit(const std::function<bool(const QString &name)> &isStale, QString *failedFile);

private:
    void discard();

    QString m_folder;
    FileId m_input;
    QByteArray m_temporaryFolder;
    QStringList m_names;
};
} // namespace LocalFiles

#endif

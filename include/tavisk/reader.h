#ifndef TAVISK_READER_H
#define TAVISK_READER_H

#include <tavisk/tavisk_export.h>

#include <QObject>
#include <QString>

class QIODevice;

#include <memory>

namespace Tavisk
{

class AbstractRtfOutput;
class ReaderPrivate;

/**
 * Reads one RTF document, from a file or any QIODevice, and hands its content
 * to an output.
 *
 * @code
 * Tavisk::Reader reader;
 * QTextDocument document;
 * Tavisk::TextDocumentRtfOutput output(&document);
 * if (!reader.open(fileName) || !reader.parseTo(&output))
 *     qWarning() << fileName << reader.errorString();
 * @endcode
 *
 * RTF held in memory (the clipboard's "text/rtf", a mail part, a database
 * field) is read through a QBuffer given to open(QIODevice *), or in one call
 * with TextDocumentRtfOutput::fromRtf().
 *
 * Everything runs on the caller's thread; parseTo() returns when the document
 * group has closed or the input has ended. One Reader belongs to one thread at
 * a time; separate readers may parse on separate threads.
 *
 * Diagnostics go to the logging category "tavisk", whose debug messages are off
 * unless the application enables them (for example with the rule
 * "tavisk.debug=true").
 *
 * @par Thread-safety
 * Reentrant: separate readers, each with its own output, may parse on
 * separate threads at once.
 *
 * @see AbstractRtfOutput, TextDocumentRtfOutput, @ref index "the overview"
 */
class TAVISK_EXPORT Reader : public QObject
{
    Q_OBJECT

public:
    /// Creates a reader that holds no file, as a child of @p parent.
    explicit Reader(QObject *parent = nullptr);
    /// Closes the held file, if any, and destroys the reader.
    ~Reader() override;

    /// Opens @p fileName for reading. A file held from an earlier open() is
    /// closed and released first. Returns false when the file cannot be opened.
    [[nodiscard]] bool open(const QString &fileName);

    /// Reads from @p device, which the reader does not own and which must
    /// stay alive until close(), another open() or the reader's destruction.
    /// A device that is not open yet is opened read-only here and closed again
    /// by close(); an open device is read from where it stands and left open.
    /// An input held from an earlier open() is released first. Returns false
    /// when @p device is null or cannot be opened for reading; errorString()
    /// then says why.
    [[nodiscard]] bool open(QIODevice *device);

    /// Closes and releases the held input; does nothing when none is held.
    /// A device given to open(QIODevice *) is closed only if the reader
    /// opened it.
    void close();

    /// The name passed to open(), while that file exists on disk; otherwise a
    /// null string (also while reading from a device).
    QString fileName() const;

    /// Why the last open() or parseTo() failed, as one short phrase such as
    /// "cannot open: No such file or directory" or "not an RTF file"; an empty
    /// string after a call that succeeded.
    QString errorString() const;

    /// Parses the open input into @p output, which must stay alive for the
    /// whole call. Returns false when no input is held, when @p output is
    /// null, or when the input does not start with the RTF header {\\rtf;
    /// errorString() then says why. Once the header is accepted the result is
    /// true, however damaged the rest of the document is: problems are
    /// reported to the log and skipped.
    ///
    /// The output's AbstractRtfOutput::beginParse() is called before the
    /// header is read and AbstractRtfOutput::endParse() before this returns,
    /// also when the header is rejected.
    [[nodiscard]] bool parseTo(AbstractRtfOutput *output);

private:
    std::unique_ptr<ReaderPrivate> const d;
};

} // namespace Tavisk

#endif

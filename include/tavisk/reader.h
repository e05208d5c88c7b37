#ifndef TAVISK_READER_H
#define TAVISK_READER_H

#include <tavisk/tavisk_export.h>

#include <QObject>
#include <QString>

#include <memory>

namespace Tavisk
{

class AbstractRtfOutput;
class ReaderPrivate;

/**
 * Reads one RTF file and hands its content to an output.
 *
 * @code
 * Tavisk::Reader reader;
 * if (reader.open(fileName)) {
 *     QTextDocument document;
 *     Tavisk::TextDocumentRtfOutput output(&document);
 *     reader.parseTo(&output);
 * }
 * @endcode
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

    /// Closes and releases the held file; does nothing when none is held.
    void close();

    /// The name passed to open(), while that file exists on disk; otherwise a
    /// null string.
    QString fileName() const;

    /// Parses the open file into @p output, which must stay alive for the
    /// whole call. Returns false when no open file is held, when @p output is
    /// null, or when the file does not start with the RTF header {\\rtf1.
    /// Once the header is accepted the result is true, however damaged the
    /// rest of the file is: problems are reported to the log and skipped.
    bool parseTo(AbstractRtfOutput *output);

private:
    std::unique_ptr<ReaderPrivate> const d;
};

} // namespace Tavisk

#endif

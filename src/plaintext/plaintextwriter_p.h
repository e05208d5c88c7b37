#ifndef TAVISK_PLAINTEXTWRITER_P_H
#define TAVISK_PLAINTEXTWRITER_P_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

class QIODevice;

namespace Tavisk
{

/**
 * The lines of a PlainTextRtfOutput on their way out: UTF-8 into a device
 * (through a buffer, written in large pieces) or UTF-16 into a string.
 *
 * Lines are joined by line ends and the text ends with one, unless its last
 * line already does; blank lines are held back until a line with text
 * follows, so that the blank lines at the end of the text are left out.
 */
class PlainTextWriter
{
public:
    explicit PlainTextWriter(QIODevice *device);
    explicit PlainTextWriter(QString *text);

    /// Starts the text of a new document; with @p collect the lines are
    /// kept for takeCollected() rather than written.
    void begin(bool collect = false);
    /// One line: @p prefix followed by @p text.
    void writeLine(QStringView prefix, QStringView text);
    void writeLine(QStringView text) { writeLine(QStringView(), text); }
    /// Whether a line, blank or not, has been given since begin().
    bool hasLines() const { return m_collecting ? !m_collected.isEmpty() : m_lines > 0 || m_blankLines > 0; }
    /// Whether the last line given was blank.
    bool lastLineBlank() const
    {
        return m_collecting ? !m_collected.isEmpty() && m_collected.constLast().isEmpty() : m_blankLines > 0;
    }
    /// The lines kept since begin(); the lines that follow are written.
    QStringList takeCollected();
    /// Ends the text and hands everything to the device.
    void finish();

    bool hasWriteError() const { return m_failed; }

private:
    void startLine();
    void append(QStringView text);
    void writeBuffer();

    QIODevice *m_device = nullptr;
    QString *m_string = nullptr;
    /// UTF-8 waiting for the device: m_used bytes of a buffer made at the
    /// first write.
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    qint64 m_lines = 0; // lines written
    qint64 m_blankLines = 0; // blank lines held back
    bool m_endsWithLineEnd = false;
    bool m_failed = false;
    bool m_collecting = false;
    QStringList m_collected;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_TESTHELPERS_H
#define TAVISK_TESTHELPERS_H

// Helpers shared by the tests: parse RTF bytes through a Reader, and capture
// the library's log messages.

#include <tavisk/abstractrtfoutput.h>
#include <tavisk/reader.h>

#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryFile>
#include <QTest>

namespace TestHelpers
{

/// Writes @p rtf to a temporary file and parses it into @p output. Returns
/// what parseTo() returned.
inline bool parse(const QByteArray &rtf, Tavisk::AbstractRtfOutput *output)
{
    QTemporaryFile file;
    if (!file.open())
        qFatal("cannot create a temporary file");
    file.write(rtf);
    file.flush();
    Tavisk::Reader reader;
    if (!reader.open(file.fileName()))
        qFatal("cannot open the temporary file");
    return reader.parseTo(output);
}

/// The whole content of @p path.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

/// Path of a fixture in autotests/data.
inline QString dataFile(const QString &name)
{
    return QFINDTESTDATA(QStringLiteral("data/") + name);
}

/**
 * Enables the library's debug messages and collects the messages of its
 * category ("tavisk") while the object lives. Messages of other categories
 * go to the previous handler.
 */
class LogCapture
{
public:
    LogCapture()
    {
        s_messages.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("tavisk.debug=true"));
        s_previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules(QString());
    }

    QStringList messages() const { return s_messages; }
    /// Only the messages that start with @p prefix.
    QStringList messagesStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &message : s_messages) {
            if (message.startsWith(prefix))
                result.append(message);
        }
        return result;
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (context.category && qstrcmp(context.category, "tavisk") == 0) {
            s_messages.append(type == QtWarningMsg ? QStringLiteral("warning: ") + message : message);
            return;
        }
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace TestHelpers

#endif

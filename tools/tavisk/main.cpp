// tavisk: converts RTF documents and shows what they hold, through the
// Tavisk library's public API.

#include "conversion.h"
#include "documentinfo.h"
#include "collectingoutput.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMutex>
#include <QTextDocument>
#include <QThreadPool>

#include <cstdio>
#include <unistd.h>

namespace
{
enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

/// Writes the tool's own messages to standard error, one line each, and the
/// progress of a batch when standard error is a terminal. Safe to call from
/// the conversion threads.
class Messages
{
public:
    void error(const QString &message)
    {
        const QMutexLocker lock(&m_mutex);
        clearProgress();
        std::fprintf(stderr, "tavisk: %s\n", qUtf8Printable(message));
        showProgress();
        std::fflush(stderr);
    }

    void startProgress(int total)
    {
        const QMutexLocker lock(&m_mutex);
        m_total = total;
        m_done = 0;
        m_showProgress = total > 1 && isatty(fileno(stderr));
        showProgress();
    }

    void fileDone()
    {
        const QMutexLocker lock(&m_mutex);
        ++m_done;
        showProgress();
    }

    void endProgress()
    {
        const QMutexLocker lock(&m_mutex);
        clearProgress();
        m_showProgress = false;
    }

private:
    void showProgress()
    {
        if (!m_showProgress)
            return;
        std::fprintf(stderr, "\r%d of %d files done", m_done, m_total);
        std::fflush(stderr);
    }
    void clearProgress()
    {
        if (m_showProgress)
            std::fputs("\r\033[K", stderr);
    }

    QMutex m_mutex;
    int m_total = 0;
    int m_done = 0;
    bool m_showProgress = false;
};

Messages &messages()
{
    static Messages s_messages;
    return s_messages;
}

[[noreturn]] void usageError(const QString &message)
{
    std::fprintf(stderr, "tavisk: %s\nTry 'tavisk --help' for more information.\n", qUtf8Printable(message));
    std::exit(UsageError);
}

bool s_debug = false;

/// Without --debug the tool prints only its own messages: the library's log
/// and Qt's warnings stay quiet.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (!s_debug && type != QtFatalMsg)
        return;
    const char *level = "debug";
    switch (type) {
    case QtDebugMsg:
        break;
    case QtInfoMsg:
        level = "info";
        break;
    case QtWarningMsg:
        level = "warning";
        break;
    case QtCriticalMsg:
        level = "critical";
        break;
    case QtFatalMsg:
        level = "fatal";
        break;
    }
    std::fprintf(stderr, "%s: %s\n", level, qUtf8Printable(message));
    std::fflush(stderr);
}

bool writeToStandardOutput(const QByteArray &bytes)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
}

bool isFolderPath(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir();
}

int runInfo(const QCommandLineParser &parser, const QStringList &inputs)
{
    if (inputs.size() != 1)
        usageError(QStringLiteral("info takes one input file"));
    for (const char *option : {"output", "to", "jobs", "dpi", "links", "headers"}) {
        if (parser.isSet(QString::fromLatin1(option)))
            usageError(QStringLiteral("--%1 belongs to the convert command").arg(QString::fromLatin1(option)));
    }
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    CollectingOutput output(&document);
    QString error;
    if (!loadDocument(inputs.first(), &output, &error)) {
        messages().error(error);
        return Failure;
    }
    const QByteArray text = parser.isSet(QStringLiteral("json"))
        ? QJsonDocument(DocumentInfo::toJson(inputs.first(), output)).toJson(QJsonDocument::Indented)
        : DocumentInfo::toText(inputs.first(), output).toUtf8();
    if (!writeToStandardOutput(text)) {
        messages().error(QStringLiteral("standard output: cannot write"));
        return Failure;
    }
    return Success;
}

int runConvert(const QCommandLineParser &parser, const QStringList &inputs)
{
    if (inputs.isEmpty())
        usageError(QStringLiteral("convert needs at least one input file"));
    if (parser.isSet(QStringLiteral("json")))
        usageError(QStringLiteral("--json belongs to the info command"));

    std::optional<Format> format;
    if (parser.isSet(QStringLiteral("to"))) {
        format = formatFromName(parser.value(QStringLiteral("to")));
        if (!format)
            usageError(QStringLiteral("unknown format '%1' (known formats: %2)")
                           .arg(parser.value(QStringLiteral("to")), formatNames()));
    }

    int threads = 1;
    if (parser.isSet(QStringLiteral("jobs"))) {
        bool ok = false;
        threads = parser.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || threads < 1)
            usageError(QStringLiteral("-j needs a number of threads of 1 or more, not '%1'")
                           .arg(parser.value(QStringLiteral("jobs"))));
    }
    int dotsPerInch = 150;
    if (parser.isSet(QStringLiteral("dpi"))) {
        bool ok = false;
        dotsPerInch = parser.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || dotsPerInch < 10 || dotsPerInch > 1200)
            usageError(QStringLiteral("--dpi needs a number from 10 to 1200, not '%1'")
                           .arg(parser.value(QStringLiteral("dpi"))));
    }

    const QString output = parser.value(QStringLiteral("output"));
    const bool toStandardOutput = output.isEmpty() || output == standardOutputPath();
    QList<ConversionJob> jobs;

    if (!toStandardOutput && isFolderPath(output)) {
        // A batch: one output per input, named after it, in the folder.
        if (!format)
            usageError(QStringLiteral("give --to FORMAT when converting into a folder"));
        if (!QDir().mkpath(output)) {
            messages().error(QStringLiteral("%1: cannot create the folder").arg(output));
            return Failure;
        }
        const QDir folder(output);
        for (const QString &input : inputs) {
            const QString name = QFileInfo(input).completeBaseName() + QLatin1Char('.') + formatExtension(*format);
            jobs.append({input, folder.filePath(name), *format, dotsPerInch});
        }
    } else {
        if (inputs.size() > 1)
            usageError(QStringLiteral("several input files need -o FOLDER/"));
        if (!format) {
            // No -o, or -o -: text on standard output unless --to says otherwise.
            format = toStandardOutput ? Format::Text : formatFromFileName(output);
            if (!format)
                usageError(QStringLiteral("cannot tell the format from '%1': give --to FORMAT (known formats: %2)")
                               .arg(output, formatNames()));
        }
        if (toStandardOutput) {
            if (*format == Format::Png)
                usageError(QStringLiteral("png output makes one file per page: give -o FILE.png"));
            if (output.isEmpty() && (*format == Format::Odt || *format == Format::Pdf))
                usageError(QStringLiteral("%1 output needs -o FILE (or -o - for standard output)")
                               .arg(formatExtension(*format)));
        }
        jobs.append({inputs.first(), toStandardOutput ? standardOutputPath() : output, *format, dotsPerInch});
    }

    for (ConversionJob &job : jobs) {
        job.showLinks = parser.isSet(QStringLiteral("links"));
        job.showHeaders = parser.isSet(QStringLiteral("headers"));
    }

    QAtomicInt failures = 0;
    // Two inputs with the same name would write the same output file.
    QHash<QString, QString> producers;
    QList<ConversionJob> runnable;
    for (const ConversionJob &job : std::as_const(jobs)) {
        const QString key = QFileInfo(job.output).absoluteFilePath();
        if (job.output != standardOutputPath() && producers.contains(key)) {
            messages().error(QStringLiteral("%1: not converted: %2 is already the output of %3")
                                 .arg(job.input, job.output, producers.value(key)));
            failures.ref();
            continue;
        }
        producers.insert(key, job.input);
        runnable.append(job);
    }

    messages().startProgress(runnable.size());
    auto run = [&failures](const ConversionJob &job) {
        const QString error = convert(job);
        if (!error.isEmpty()) {
            messages().error(error);
            failures.ref();
        }
        messages().fileDone();
    };
    if (threads == 1 || runnable.size() < 2) {
        for (const ConversionJob &job : std::as_const(runnable))
            run(job);
    } else {
        // One Reader and one document per file, each on one thread.
        QThreadPool pool;
        pool.setMaxThreadCount(threads);
        for (const ConversionJob &job : std::as_const(runnable))
            pool.start([&run, job] { run(job); });
        pool.waitForDone();
    }
    messages().endProgress();
    return failures.loadRelaxed() == 0 ? Success : Failure;
}
} // namespace

int main(int argc, char *argv[])
{
    // Rendering needs no screen: unless told otherwise, use Qt's offscreen
    // platform, which also keeps the output the same with or without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messageHandler);

    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("tavisk"));
    QGuiApplication::setApplicationVersion(QStringLiteral(TAVISK_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts RTF documents, or shows what they hold.\n"
        "\n"
        "Commands:\n"
        "  convert INPUT... [-o OUTPUT] [--to FORMAT] [-j N]\n"
        "      Converts to txt, html, md, odt, pdf or png. The format comes from\n"
        "      --to, else from the output's extension. Without -o, or with -o -,\n"
        "      the result goes to standard output (txt unless --to says otherwise;\n"
        "      not for png). With -o FOLDER/ every input gives one output in the\n"
        "      folder. png writes one image per page: -o doc.png gives doc-1.png, ...\n"
        "  info INPUT [--json]\n"
        "      Shows metadata, user properties, fonts, colours, styles, pictures and\n"
        "      how many links, notes, comments, headers, footers and text boxes.\n"
        "\n"
        "Exit status: 0 when every input was handled, 1 when one or more failed,\n"
        "2 for a usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("convert or info."));
    parser.addPositionalArgument(QStringLiteral("inputs"), QStringLiteral("RTF files."), QStringLiteral("INPUT..."));
    parser.addOptions({
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("Output file, folder (ending in /) or - for standard output."),
         QStringLiteral("OUTPUT")},
        {{QStringLiteral("t"), QStringLiteral("to")},
         QStringLiteral("Output format: txt, html, md, odt, pdf or png."),
         QStringLiteral("FORMAT")},
        {{QStringLiteral("j"), QStringLiteral("jobs")}, QStringLiteral("Convert on N threads."), QStringLiteral("N")},
        {QStringLiteral("dpi"), QStringLiteral("Resolution of png pages (default 150)."), QStringLiteral("N")},
        {QStringLiteral("json"), QStringLiteral("info: print one JSON object.")},
        {QStringLiteral("links"), QStringLiteral("txt: follow each link by its address in <>.")},
        {QStringLiteral("headers"),
         QStringLiteral("txt, html, md: put the page header and footer at the top and bottom.")},
        {QStringLiteral("debug"), QStringLiteral("Print the library's debug log on standard error.")},
    });

    if (!parser.parse(QGuiApplication::arguments()))
        usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    if (parser.isSet(QStringLiteral("debug"))) {
        s_debug = true;
        QLoggingCategory::setFilterRules(QStringLiteral("tavisk.debug=true"));
    }

    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        usageError(QStringLiteral("no command given (convert or info)"));
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("convert"))
        return runConvert(parser, arguments);
    if (command == QLatin1String("info"))
        return runInfo(parser, arguments);
    usageError(QStringLiteral("unknown command '%1' (convert or info)").arg(command));
}

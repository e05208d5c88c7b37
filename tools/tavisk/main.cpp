// tavisk: converts RTF documents and shows what they hold, through the
// Tavisk library's public API.

#include "conversion.h"
#include "documentinfo.h"
#include "collectingoutput.h"
#include "localfiles.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QHash>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMutex>
#include <QTextDocument>
#include <QThreadPool>

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
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
        // File names go out as the bytes they were given as.
        const QByteArray line = "tavisk: " + LocalFiles::encodeName(message) + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
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

/// Prints a usage error and gives the exit status for it.
int usageError(const QString &message)
{
    const QByteArray text = "tavisk: " + LocalFiles::encodeName(message)
        + "\nTry 'tavisk --help' for more information.\n";
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    return UsageError;
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

bool isFolderPath(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) || LocalFiles::isDirectory(path);
}

/// The options of one command that belong to another are usage errors.
QString foreignOption(const QCommandLineParser &parser, std::initializer_list<const char *> options,
                      const QString &command)
{
    for (const char *option : options) {
        if (parser.isSet(QString::fromLatin1(option)))
            return QStringLiteral("--%1 belongs to the %2 command").arg(QString::fromLatin1(option), command);
    }
    return QString();
}

int runInfo(const QCommandLineParser &parser, const QStringList &inputs)
{
    if (inputs.size() != 1)
        return usageError(QStringLiteral("info takes one input file"));
    if (const QString error = foreignOption(parser, {"output", "to", "jobs", "dpi", "links", "headers"}, QStringLiteral("convert"));
        !error.isEmpty())
        return usageError(error);
    const QString &input = inputs.first();
    QByteArray text;
    try {
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        CollectingOutput output(&document);
        LocalFiles::FileId inputId;
        QString error;
        if (!loadDocument(input, &output, &inputId, &error)) {
            messages().error(error);
            return Failure;
        }
        const DocumentInfo::Model model = DocumentInfo::collect(input, output);
        text = parser.isSet(QStringLiteral("json"))
            ? QJsonDocument(DocumentInfo::toJson(model)).toJson(QJsonDocument::Indented)
            : DocumentInfo::toText(model).toUtf8();
    } catch (const std::bad_alloc &) {
        messages().error(QStringLiteral("%1: out of memory").arg(inputDisplayName(input)));
        return Failure;
    }
    if (const QString reason = LocalFiles::writeStandardOutput(text); !reason.isEmpty()) {
        messages().error(QStringLiteral("standard output: cannot write: %1").arg(reason));
        return Failure;
    }
    return Success;
}

struct ConvertOptions {
    std::optional<Format> format;
    int threads = 1;
    int dotsPerInch = 150;
    bool showLinks = false;
    bool showHeaders = false;
    QString output;
};

/// Reads the options of convert into @p options. Returns a usage error, or
/// an empty string.
QString readConvertOptions(const QCommandLineParser &parser, ConvertOptions *options)
{
    if (parser.isSet(QStringLiteral("json")))
        return QStringLiteral("--json belongs to the info command");
    if (parser.isSet(QStringLiteral("to"))) {
        options->format = formatFromName(parser.value(QStringLiteral("to")));
        if (!options->format)
            return QStringLiteral("unknown format '%1' (known formats: %2)")
                .arg(parser.value(QStringLiteral("to")), formatNames());
    }
    if (parser.isSet(QStringLiteral("jobs"))) {
        bool ok = false;
        options->threads = parser.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || options->threads < 1)
            return QStringLiteral("-j needs a number of threads of 1 or more, not '%1'")
                .arg(parser.value(QStringLiteral("jobs")));
    }
    if (parser.isSet(QStringLiteral("dpi"))) {
        bool ok = false;
        options->dotsPerInch = parser.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || options->dotsPerInch < 10 || options->dotsPerInch > 1200)
            return QStringLiteral("--dpi needs a number from 10 to 1200, not '%1'").arg(parser.value(QStringLiteral("dpi")));
    }
    options->showLinks = parser.isSet(QStringLiteral("links"));
    options->showHeaders = parser.isSet(QStringLiteral("headers"));
    options->output = parser.value(QStringLiteral("output"));
    return QString();
}

/// The name of @p input without its folder and last extension.
QString baseName(const QString &input)
{
    const QString name = input.mid(input.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

/// A batch: one output per input, named after it, in the folder. Returns a
/// usage error, or an empty string.
QString planBatch(const QStringList &inputs, const ConvertOptions &options, QList<ConversionJob> *jobs)
{
    if (!options.format)
        return QStringLiteral("give --to FORMAT when converting into a folder");
    if (inputs.contains(standardInputPath()))
        return QStringLiteral("standard input has no name to give its output in a folder: convert it with -o FILE");
    const QString folder = options.output.endsWith(QLatin1Char('/')) ? options.output : options.output + QLatin1Char('/');
    for (const QString &input : inputs)
        jobs->append({input, folder + baseName(input) + QLatin1Char('.') + formatExtension(*options.format),
                      *options.format, options.dotsPerInch, options.showLinks, options.showHeaders});
    return QString();
}

/// One input into one file or standard output. Returns a usage error, or an
/// empty string.
QString planSingle(const QStringList &inputs, ConvertOptions options, QList<ConversionJob> *jobs)
{
    if (inputs.size() > 1)
        return QStringLiteral("several input files need -o FOLDER/");
    const bool toStandardOutput = options.output.isEmpty() || options.output == standardOutputPath();
    if (!options.format) {
        // No -o, or -o -: text on standard output unless --to says otherwise.
        options.format = toStandardOutput ? Format::Text : formatFromFileName(options.output);
        if (!options.format)
            return QStringLiteral("cannot tell the format from '%1': give --to FORMAT (known formats: %2)")
                .arg(options.output, formatNames());
    }
    if (toStandardOutput) {
        if (*options.format == Format::Png)
            return QStringLiteral("png output makes one file per page: give -o FILE.png");
        if (options.output.isEmpty() && (*options.format == Format::Odt || *options.format == Format::Pdf))
            return QStringLiteral("%1 output needs -o FILE (or -o - for standard output)")
                .arg(formatExtension(*options.format));
    }
    jobs->append({inputs.first(), toStandardOutput ? standardOutputPath() : options.output, *options.format,
                  options.dotsPerInch, options.showLinks, options.showHeaders});
    return QString();
}

/// The inputs of a run by canonical path and by file, for the check that no
/// output replaces an input.
struct InputIndex {
    QHash<QString, QString> byPath;
    QHash<QPair<quint64, quint64>, QString> byFile;

    explicit InputIndex(const QList<ConversionJob> &jobs)
    {
        for (const ConversionJob &job : jobs) {
            const bool standardInput = job.input == standardInputPath();
            if (!standardInput)
                byPath.insert(LocalFiles::canonicalPath(job.input), job.input);
            const LocalFiles::FileId id = standardInput ? LocalFiles::fileId(STDIN_FILENO) : LocalFiles::fileId(job.input);
            if (id.valid)
                byFile.insert(key(id), job.input);
        }
    }

    static QPair<quint64, quint64> key(const LocalFiles::FileId &id) { return {quint64(id.device), quint64(id.inode)}; }

    /// The input that is the file @p id, or a null string.
    QString input(const LocalFiles::FileId &id) const { return id.valid ? byFile.value(key(id)) : QString(); }
};

/// Why @p job must not run: its output would replace one of the inputs (the
/// same name, a symbolic or a hard link), or another job's output. Empty
/// when it may run. Decided before anything is read.
QString refusal(const ConversionJob &job, const InputIndex &inputs, QHash<QString, QString> *producers)
{
    if (job.output == standardOutputPath()) {
        // "tavisk convert a.rtf >> a.rtf"
        if (!LocalFiles::isRegularFile(STDOUT_FILENO))
            return QString();
        const QString input = inputs.input(LocalFiles::fileId(STDOUT_FILENO));
        if (input.isNull())
            return QString();
        return QStringLiteral("%1: not converted: standard output is the input %2")
            .arg(inputDisplayName(job.input), inputDisplayName(input));
    }
    const QString canonicalOutput = LocalFiles::canonicalPath(job.output);
    const LocalFiles::FileId output = LocalFiles::fileId(job.output);
    // A device or FIFO is written in place, never replaced.
    const bool replaced = !output.valid || output.regular;
    QString input = replaced ? inputs.byPath.value(canonicalOutput) : QString();
    if (input.isNull() && replaced)
        input = inputs.input(output);
    if (!input.isNull())
        return QStringLiteral("%1: not converted: writing %2 would replace the input %3")
            .arg(inputDisplayName(job.input), job.output, inputDisplayName(input));
    // Two inputs with the same name would write the same output file.
    if (producers->contains(canonicalOutput))
        return QStringLiteral("%1: not converted: %2 is already the output of %3")
            .arg(job.input, job.output, producers->value(canonicalOutput));
    producers->insert(canonicalOutput, job.input);
    return QString();
}

/// The jobs that may run; each refused one is reported and counted in
/// @p failures.
QList<ConversionJob> safeJobs(const QList<ConversionJob> &jobs, int *failures)
{
    QList<ConversionJob> runnable;
    QHash<QString, QString> producers;
    const InputIndex inputIndex(jobs);
    for (const ConversionJob &job : jobs) {
        if (const QString reason = refusal(job, inputIndex, &producers); !reason.isEmpty()) {
            messages().error(reason);
            ++*failures;
            continue;
        }
        runnable.append(job);
    }
    return runnable;
}

/// Converts the jobs on @p threads threads; returns the number that failed.
int runJobs(const QList<ConversionJob> &jobs, int threads)
{
    QAtomicInt failures = 0;
    messages().startProgress(jobs.size());
    auto run = [&failures](const ConversionJob &job) {
        const QString error = convert(job);
        if (!error.isEmpty()) {
            messages().error(error);
            failures.ref();
        }
        messages().fileDone();
    };
    if (threads == 1 || jobs.size() < 2) {
        for (const ConversionJob &job : jobs)
            run(job);
    } else {
        // One Reader and one document per file, each on one thread.
        QThreadPool pool;
        pool.setMaxThreadCount(threads);
        for (const ConversionJob &job : jobs)
            pool.start([&run, job] { run(job); });
        pool.waitForDone();
    }
    messages().endProgress();
    return failures.loadRelaxed();
}

int runConvert(const QCommandLineParser &parser, const QStringList &inputs)
{
    if (inputs.isEmpty())
        return usageError(QStringLiteral("convert needs at least one input file"));
    if (inputs.count(standardInputPath()) > 1)
        return usageError(QStringLiteral("standard input can be read only once"));
    ConvertOptions options;
    if (const QString error = readConvertOptions(parser, &options); !error.isEmpty())
        return usageError(error);

    const bool batch = !options.output.isEmpty() && options.output != standardOutputPath() && isFolderPath(options.output);
    QList<ConversionJob> jobs;
    const QString error = batch ? planBatch(inputs, options, &jobs) : planSingle(inputs, options, &jobs);
    if (!error.isEmpty())
        return usageError(error);
    if (batch) {
        if (const QString reason = LocalFiles::makePath(options.output); !reason.isEmpty()) {
            messages().error(QStringLiteral("%1: cannot create the folder: %2").arg(options.output, reason));
            return Failure;
        }
    }

    int failures = 0;
    const QList<ConversionJob> runnable = safeJobs(jobs, &failures);
    failures += runJobs(runnable, options.threads);
    return failures == 0 ? Success : Failure;
}
/// The command line the tool understands.
void setUpParser(QCommandLineParser &parser)
{
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
        "An INPUT of - reads standard input.\n"
        "\n"
        "Exit status: 0 when every input was handled, 1 when one or more failed,\n"
        "2 for a usage error."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("convert or info."));
    parser.addPositionalArgument(QStringLiteral("inputs"), QStringLiteral("RTF files, or - for standard input."), QStringLiteral("INPUT..."));
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

}

/// The arguments as the bytes given: a file name need not be valid UTF-8.
QStringList decodedArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(LocalFiles::decodeName(QByteArray(argv[i])));
    return arguments;
}

/// Whether the command line converts to txt only. Text is written without
/// a document, so it needs no fonts and no platform: a plain application
/// does. Anything else (and a command line the parser refuses, such as one
/// with Qt's own options) gets the GUI application.
bool convertsToTextOnly(const QStringList &arguments)
{
    QCommandLineParser parser;
    setUpParser(parser);
    if (!parser.parse(arguments) || parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version")))
        return false;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.first() != QLatin1String("convert"))
        return false;
    if (parser.isSet(QStringLiteral("to")))
        return formatFromName(parser.value(QStringLiteral("to"))) == Format::Text;
    // As planSingle() decides it; a folder needs --to.
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty() || output == standardOutputPath())
        return true;
    return !isFolderPath(output) && formatFromFileName(output) == Format::Text;
}
} // namespace

int main(int argc, char *argv[])
{
    // Rendering needs no screen: unless told otherwise, use Qt's offscreen
    // platform, which also keeps the output the same with or without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messageHandler);
    // A closed pipe or a file size limit is a write error of the file at
    // hand, reported as such, not a signal that ends the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    LocalFiles::initialise();

    std::unique_ptr<QCoreApplication> app;
    if (convertsToTextOnly(decodedArguments(argc, argv)))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QGuiApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavisk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVISK_VERSION_STRING));

    QCommandLineParser parser;
    setUpParser(parser);
    // After the application has taken out its own options.
    const QStringList arguments = decodedArguments(argc, argv);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return std::fflush(stdout) == 0 ? Success : Failure;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("tavisk %s\n", TAVISK_VERSION_STRING);
        return std::fflush(stdout) == 0 ? Success : Failure;
    }

    if (parser.isSet(QStringLiteral("debug"))) {
        s_debug = true;
        QLoggingCategory::setFilterRules(QStringLiteral("tavisk.debug=true"));
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given (convert or info)"));
    const QString command = positional.takeFirst();
    if (command == QLatin1String("convert"))
        return runConvert(parser, positional);
    if (command == QLatin1String("info"))
        return runInfo(parser, positional);
    return usageError(QStringLiteral("unknown command '%1' (convert or info)").arg(command));
}

// Tests of the tavisk command-line tool: every output format, info, and the
// error paths with their messages and exit statuses. The tool runs as a
// child process, without a display.

#include "testhelpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QtEndian>

namespace
{
struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/// Runs the tool with @p arguments, without a display and without any
/// platform chosen for it.
Run runTool(const QStringList &arguments, const QString &workingDirectory = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(TAVISK_TOOL), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        run.err = "tool did not finish normally: " + process.readAllStandardError();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

/// Names of the entries of a zip archive, read from its central directory.
QStringList zipEntryNames(const QByteArray &zip)
{
    // End of central directory record: at least 22 bytes, at the end, after
    // a comment of up to 64 KiB.
    const int end = zip.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0 || zip.size() - end < 22)
        return {};
    const auto *data = reinterpret_cast<const uchar *>(zip.constData());
    const int count = qFromLittleEndian<quint16>(data + end + 10);
    qint64 offset = qFromLittleEndian<quint32>(data + end + 16);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        if (offset + 46 > zip.size() || zip.mid(offset, 4) != QByteArrayLiteral("PK\x01\x02"))
            return {};
        const int nameLength = qFromLittleEndian<quint16>(data + offset + 28);
        const int extraLength = qFromLittleEndian<quint16>(data + offset + 30);
        const int commentLength = qFromLittleEndian<quint16>(data + offset + 32);
        names.append(QString::fromUtf8(zip.mid(offset + 46, nameLength)));
        offset += 46 + nameLength + extraLength + commentLength;
    }
    return names;
}

int pdfPageCount(const QByteArray &pdf)
{
    // Page objects, not the /Pages tree node.
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++count;
    return count;
}

/// Every data: URL picture in @p text, decoded.
QList<QImage> dataUrlImages(const QString &text)
{
    static const QRegularExpression url(QStringLiteral("data:image/([a-z]+);base64,([A-Za-z0-9+/=]+)"));
    QList<QImage> images;
    for (auto it = url.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        images.append(QImage::fromData(QByteArray::fromBase64(match.captured(2).toLatin1())));
    }
    return images;
}

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

const QString sample = TestHelpers::dataFile(QStringLiteral("tool-sample.rtf"));
const QString pages = TestHelpers::dataFile(QStringLiteral("tool-pages.rtf"));
const QString notRtf = TestHelpers::dataFile(QStringLiteral("tool-not-rtf.txt"));
} // namespace

class ToolsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral(TAVISK_TOOL)), TAVISK_TOOL);
        QVERIFY(m_dir.isValid());
    }

    void convertsToText()
    {
        const QString output = m_dir.filePath(QStringLiteral("sample.txt"));
        const Run run = runTool({QStringLiteral("convert"), sample, QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QByteArray text = readFile(output);
        QVERIFY(isUtf8(text));
        const QString decoded = QString::fromUtf8(text);
        QVERIFY2(decoded.startsWith(QStringLiteral("Hello from the tool fixture\n")), text.constData());
        // Decoded from code page 1253 of the Greek font.
        QVERIFY(decoded.contains(QStringLiteral("Greek: Καλημέρα, red and blue.")));
        // The picture leaves no object replacement character behind.
        QVERIFY(!decoded.contains(QChar::ObjectReplacementCharacter));
        QVERIFY(decoded.endsWith(QStringLiteral("The end.\n")));
    }

    void convertsToHtml()
    {
        const QString output = m_dir.filePath(QStringLiteral("sample.html"));
        const Run run = runTool({QStringLiteral("convert"), sample, QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QString html = QString::fromUtf8(readFile(output));
        QVERIFY(html.contains(QStringLiteral("<title>Tool fixture</title>")));
        QTextDocument parsed;
        parsed.setHtml(html);
        QVERIFY(parsed.toPlainText().contains(QStringLiteral("Hello from the tool fixture")));
        QVERIFY(parsed.toPlainText().contains(QStringLiteral("Καλημέρα")));
        // Self-contained: the picture travels inside, no link to a resource.
        QVERIFY(!html.contains(QStringLiteral("rtfparser:")));
        const QList<QImage> images = dataUrlImages(html);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.first().size(), QSize(8, 8));
        QVERIFY(html.contains(QStringLiteral("<img src=\"data:image/png;base64,")));
    }

    void convertsToMarkdown()
    {
        const Run run = runTool({QStringLiteral("convert"), sample, QStringLiteral("--to"), QStringLiteral("md")});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QString markdown = QString::fromUtf8(run.out);
        QVERIFY(markdown.contains(QStringLiteral("**Hello from the tool fixture**")));
        QVERIFY(markdown.contains(QStringLiteral("](data:image/png;base64,")));
        const QList<QImage> images = dataUrlImages(markdown);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.first().size(), QSize(8, 8));
    }

    void convertsToOdt()
    {
        const QString output = m_dir.filePath(QStringLiteral("sample.odt"));
        const Run run = runTool({QStringLiteral("convert"), sample, QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QByteArray odt = readFile(output);
        // An OpenDocument package starts with its uncompressed mimetype entry.
        QVERIFY(odt.startsWith("PK\x03\x04"));
        QCOMPARE(odt.mid(30, 8), QByteArray("mimetype"));
        QVERIFY(odt.mid(38, 39) == "application/vnd.oasis.opendocument.text");
        const QStringList names = zipEntryNames(odt);
        QVERIFY2(names.contains(QStringLiteral("content.xml")), qPrintable(names.join(u' ')));
        QVERIFY(names.contains(QStringLiteral("META-INF/manifest.xml")));
        // The picture is stored in the package.
        QCOMPARE(names.filter(QRegularExpression(QStringLiteral("^Pictures/.+"))).size(), 1);
    }

    void convertsToPdf_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("pageCount");
        QTest::newRow("one page") << sample << 1;
        // Paper of 4 x 4 inches from \paperw and \paperh, and three pictures
        // each taller than half of what fits between the margins.
        QTest::newRow("three pages from the paper size") << pages << 3;
    }

    void convertsToPdf()
    {
        QFETCH(QString, input);
        QFETCH(int, pageCount);
        const QString output = m_dir.filePath(QStringLiteral("%1.pdf").arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-')));
        const Run run = runTool({QStringLiteral("convert"), input, QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QByteArray pdf = readFile(output);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QCOMPARE(pdfPageCount(pdf), pageCount);
    }

    void convertsToPng_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("pageFiles");
        QTest::addColumn<QSize>("pageSize");
        // US Letter at 150 dots per inch when the document names no paper.
        QTest::newRow("one page") << sample << QStringList{QStringLiteral("one-1.png")} << QSize(1275, 1650);
        QTest::newRow("three pages")
            << pages << QStringList{QStringLiteral("three-1.png"), QStringLiteral("three-2.png"), QStringLiteral("three-3.png")}
            << QSize(600, 600);
    }

    void convertsToPng()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, pageFiles);
        QFETCH(QSize, pageSize);
        QTemporaryDir dir;
        const QString stem = pageFiles.first().section(u'-', 0, 0);
        const Run run = runTool({QStringLiteral("convert"), input, QStringLiteral("-o"), dir.filePath(stem + QStringLiteral(".png"))});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), pageFiles);
        for (const QString &file : std::as_const(pageFiles)) {
            const QImage image(dir.filePath(file));
            QVERIFY2(!image.isNull(), qPrintable(file));
            QCOMPARE(image.size(), pageSize);
        }
        // The first page shows the picture: blue and red pixels on white.
        const QImage first(dir.filePath(pageFiles.first()));
        bool blue = false;
        for (int y = 0; y < first.height() && !blue; y += 2) {
            for (int x = 0; x < first.width() && !blue; x += 2)
                blue = first.pixelColor(x, y) == QColor(40, 40, 200);
        }
        QVERIFY(blue);
    }

    void writesToStandardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expectedStart");
        QTest::newRow("no -o gives text") << QStringList{QStringLiteral("convert"), sample} << QStringLiteral("Hello from the tool fixture\n");
        QTest::newRow("-o - with --to html")
            << QStringList{QStringLiteral("convert"), sample, QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("--to"), QStringLiteral("html")}
            << QStringLiteral("<!DOCTYPE HTML");
        QTest::newRow("-o - with --to pdf")
            << QStringList{QStringLiteral("convert"), sample, QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("--to"), QStringLiteral("pdf")}
            << QStringLiteral("%PDF-");
    }

    void writesToStandardOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expectedStart);
        const Run run = runTool(arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(expectedStart.toUtf8()), run.out.left(80).constData());
    }

    void infoJson()
    {
        const Run run = runTool({QStringLiteral("info"), sample, QStringLiteral("--json")});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonObject info = QJsonDocument::fromJson(run.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);

        QCOMPARE(info.value(u"file").toString(), sample);
        const QJsonObject metadata = info.value(u"metadata").toObject();
        QCOMPARE(metadata.value(u"title").toString(), QStringLiteral("Tool fixture"));
        QCOMPARE(metadata.value(u"author").toString(), QStringLiteral("Tavisk tests"));
        QCOMPARE(metadata.value(u"companyName").toString(), QStringLiteral("Tavisk"));
        QCOMPARE(metadata.value(u"created").toString(), QStringLiteral("2023-11-05T14:07:00"));
        QCOMPARE(metadata.value(u"numberOfPages").toInt(), 1);
        QCOMPARE(metadata.value(u"numberOfWords").toInt(), 12);
        QCOMPARE(metadata.value(u"versionNumber").toInt(), 2);
        // What the document does not give is there, as null.
        QVERIFY(metadata.value(u"subject").isNull());
        QVERIFY(metadata.value(u"printed").isNull());
        QVERIFY(metadata.value(u"numberOfCharacters").isNull());
        QCOMPARE(metadata.size(), 12 + 3 + 7);

        const QJsonArray properties = info.value(u"userProperties").toArray();
        QCOMPARE(properties.size(), 2);
        QCOMPARE(properties.at(0).toObject(),
                 (QJsonObject{{QStringLiteral("name"), QStringLiteral("Checked")},
                              {QStringLiteral("type"), QStringLiteral("boolean")},
                              {QStringLiteral("value"), true}}));
        QCOMPARE(properties.at(1).toObject(),
                 (QJsonObject{{QStringLiteral("name"), QStringLiteral("Copies")},
                              {QStringLiteral("type"), QStringLiteral("integer")},
                              {QStringLiteral("value"), 4}}));

        const QJsonArray fonts = info.value(u"fonts").toArray();
        QCOMPARE(fonts.size(), 2);
        QCOMPARE(fonts.at(1).toObject().value(u"name").toString(), QStringLiteral("Arial Greek"));
        QCOMPARE(fonts.at(1).toObject().value(u"family").toString(), QStringLiteral("swiss"));
        QCOMPARE(fonts.at(1).toObject().value(u"encoding").toString().toLower(), QStringLiteral("windows-1253"));

        QCOMPARE(info.value(u"colours").toArray(), (QJsonArray{QJsonValue(), QStringLiteral("#ff0000"), QStringLiteral("#0000ff")}));

        const QJsonArray styles = info.value(u"styles").toArray();
        QCOMPARE(styles.size(), 2);
        QCOMPARE(styles.at(1).toObject().value(u"name").toString(), QStringLiteral("heading 1"));
        QCOMPARE(styles.at(1).toObject().value(u"spaceBefore").toInt(), 240);

        // The metafile is skipped by the reader; the PNG is listed.
        const QJsonArray pictures = info.value(u"pictures").toArray();
        QCOMPARE(pictures.size(), 1);
        const QJsonObject picture = pictures.at(0).toObject();
        QCOMPARE(picture.value(u"format").toString(), QStringLiteral("png"));
        QCOMPARE(picture.value(u"bytes").toInt(), 115);
        QCOMPARE(picture.value(u"pixelWidth").toInt(), 8);
        QCOMPARE(picture.value(u"width").toDouble(), 32.0);
    }

    void infoText()
    {
        const Run run = runTool({QStringLiteral("info"), sample});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QStringList output = lines(run.out);
        QVERIFY(output.contains(QStringLiteral("Title:    Tool fixture")));
        QVERIFY(output.contains(QStringLiteral("  Copies (integer): 4")));
        QVERIFY(output.contains(QStringLiteral("Pictures: 1")));
        // Items the document does not give are left out.
        QVERIFY(!QString::fromUtf8(run.out).contains(QStringLiteral("Subject:")));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        const QString missing = m_dir.filePath(QStringLiteral("missing.rtf"));
        const QString dataDir = QFileInfo(TestHelpers::dataFile(QStringLiteral("metadata.rtf"))).absolutePath();
        const QString convert = QStringLiteral("convert");
        const QString o = QStringLiteral("-o");

        QTest::newRow("input missing") << QStringList{convert, missing} << 1
                                       << QStringLiteral("tavisk: %1: cannot open: No such file or directory").arg(missing);
        QTest::newRow("input is a folder") << QStringList{convert, dataDir} << 1
                                           << QStringLiteral("tavisk: %1: cannot open: Is a directory").arg(dataDir);
        QTest::newRow("input not RTF") << QStringList{convert, notRtf} << 1
                                       << QStringLiteral("tavisk: %1: not an RTF file (it does not start with {\\rtf1)").arg(notRtf);
        QTest::newRow("info on a missing input") << QStringList{QStringLiteral("info"), missing} << 1
                                                 << QStringLiteral("tavisk: %1: cannot open: No such file or directory").arg(missing);
        QTest::newRow("output folder missing")
            << QStringList{convert, sample, o, QStringLiteral("/nonexistent-tavisk-folder/out.html")} << 1
            << QStringLiteral("tavisk: /nonexistent-tavisk-folder/out.html: cannot write: ");
        QTest::newRow("png pages into a missing folder")
            << QStringList{convert, sample, o, QStringLiteral("/nonexistent-tavisk-folder/out.png")} << 1
            << QStringLiteral("tavisk: /nonexistent-tavisk-folder/out-1.png: cannot write: ");

        QTest::newRow("unknown format") << QStringList{convert, sample, QStringLiteral("--to"), QStringLiteral("docx")} << 2
                                        << QStringLiteral("tavisk: unknown format 'docx' (known formats: txt, html, md, odt, pdf, png)");
        QTest::newRow("unknown extension") << QStringList{convert, sample, o, QStringLiteral("out.docx")} << 2
                                           << QStringLiteral("tavisk: cannot tell the format from 'out.docx'");
        QTest::newRow("no command") << QStringList{} << 2 << QStringLiteral("tavisk: no command given (convert or info)");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate"), sample} << 2
                                         << QStringLiteral("tavisk: unknown command 'frobnicate' (convert or info)");
        QTest::newRow("unknown option") << QStringList{convert, sample, QStringLiteral("--frobnicate")} << 2
                                        << QStringLiteral("tavisk: Unknown option 'frobnicate'.");
        QTest::newRow("no input") << QStringList{convert} << 2 << QStringLiteral("tavisk: convert needs at least one input file");
        QTest::newRow("png to standard output") << QStringList{convert, sample, QStringLiteral("--to"), QStringLiteral("png")} << 2
                                                << QStringLiteral("tavisk: png output makes one file per page");
        QTest::newRow("pdf without -o") << QStringList{convert, sample, QStringLiteral("--to"), QStringLiteral("pdf")} << 2
                                        << QStringLiteral("tavisk: pdf output needs -o FILE");
        QTest::newRow("several inputs into one file") << QStringList{convert, sample, pages, o, QStringLiteral("out.txt")} << 2
                                                      << QStringLiteral("tavisk: several input files need -o FOLDER/");
        QTest::newRow("folder without --to") << QStringList{convert, sample, o, m_dir.path() + u'/'} << 2
                                             << QStringLiteral("tavisk: give --to FORMAT when converting into a folder");
        QTest::newRow("-j not a number") << QStringList{convert, sample, QStringLiteral("-j"), QStringLiteral("many")} << 2
                                         << QStringLiteral("tavisk: -j needs a number of threads of 1 or more, not 'many'");
        QTest::newRow("-j zero") << QStringList{convert, sample, QStringLiteral("-j"), QStringLiteral("0")} << 2
                                 << QStringLiteral("tavisk: -j needs a number of threads of 1 or more, not '0'");
        QTest::newRow("info with two inputs") << QStringList{QStringLiteral("info"), sample, pages} << 2
                                              << QStringLiteral("tavisk: info takes one input file");
        QTest::newRow("--json with convert") << QStringList{convert, sample, QStringLiteral("--json")} << 2
                                             << QStringLiteral("tavisk: --json belongs to the info command");
    }

    void errors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run run = runTool(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QByteArray());
        const QStringList errorLines = lines(run.err);
        QVERIFY(!errorLines.isEmpty());
        QVERIFY2(errorLines.first().startsWith(message), run.err.constData());
        if (exitCode == 1) {
            // A failed file is one line, nothing else.
            QCOMPARE(errorLines.size(), 1);
        } else {
            QCOMPARE(errorLines.size(), 2);
            QCOMPARE(errorLines.at(1), QStringLiteral("Try 'tavisk --help' for more information."));
        }
    }

    void batchGoesOnAfterABadFile_data()
    {
        QTest::addColumn<QString>("threads");
        QTest::newRow("one thread") << QStringLiteral("1");
        QTest::newRow("three threads") << QStringLiteral("3");
    }

    void batchGoesOnAfterABadFile()
    {
        QFETCH(QString, threads);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("out/"));
        const Run run = runTool({QStringLiteral("convert"), sample, notRtf, pages, QStringLiteral("-o"), folder,
                                 QStringLiteral("--to"), QStringLiteral("txt"), QStringLiteral("-j"), threads});
        QCOMPARE(run.exitCode, 1);
        // Standard error is not a terminal here: no progress, only the failure.
        QCOMPARE(lines(run.err), QStringList{QStringLiteral("tavisk: %1: not an RTF file (it does not start with {\\rtf1)").arg(notRtf)});
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 (QStringList{QStringLiteral("tool-pages.txt"), QStringLiteral("tool-sample.txt")}));
        QVERIFY(readFile(folder + QStringLiteral("tool-sample.txt")).startsWith("Hello from the tool fixture"));
    }

    void batchRefusesToOverwriteItsOwnOutput()
    {
        // Two inputs called the same would make the same output file.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("b")));
        const QString first = dir.filePath(QStringLiteral("a/doc.rtf"));
        const QString second = dir.filePath(QStringLiteral("b/doc.rtf"));
        QVERIFY(QFile::copy(sample, first));
        QVERIFY(QFile::copy(pages, second));
        const QString folder = dir.filePath(QStringLiteral("out"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out")));
        const Run run = runTool({QStringLiteral("convert"), first, second, QStringLiteral("-o"), folder, QStringLiteral("--to"), QStringLiteral("txt")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lines(run.err), QStringList{QStringLiteral("tavisk: %1: not converted: %2 is already the output of %3")
                                                 .arg(second, QDir(folder).filePath(QStringLiteral("doc.txt")), first)});
        QVERIFY(readFile(QDir(folder).filePath(QStringLiteral("doc.txt"))).startsWith("Hello from the tool fixture"));
    }

    void debugShowsTheLibraryLog_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("libraryMessage");
        QTest::newRow("header messages") << notRtf << QStringLiteral("debug: Not an RTF file");
        // The library's one warning is quiet without --debug too.
        QTest::newRow("unknown picture warning") << sample << QStringLiteral("warning: Embedded picture in unknown format");
    }

    void debugShowsTheLibraryLog()
    {
        QFETCH(QString, input);
        QFETCH(QString, libraryMessage);
        const QStringList quiet = lines(runTool({QStringLiteral("info"), input}).err);
        const QStringList debug = lines(runTool({QStringLiteral("--debug"), QStringLiteral("info"), input}).err);
        QVERIFY2(debug.contains(libraryMessage), qPrintable(debug.join(u'\n')));
        QVERIFY(!quiet.contains(libraryMessage));
        // Without --debug only the tool's own messages remain.
        for (const QString &line : quiet)
            QVERIFY2(line.startsWith(QStringLiteral("tavisk: ")), qPrintable(line));
    }

    void helpAndVersion()
    {
        const Run help = runTool({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QCOMPARE(help.err, QByteArray());
        QVERIFY(help.out.contains("convert INPUT... [-o OUTPUT] [--to FORMAT] [-j N]"));
        QVERIFY(help.out.contains("info INPUT [--json]"));

        const Run version = runTool({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("tavisk " TAVISK_VERSION_STRING "\n"));
    }

    void convertsTheShowcase_data()
    {
        QTest::addColumn<QString>("format");
        for (const char *format : {"txt", "html", "md", "odt", "pdf", "png"})
            QTest::newRow(format) << QString::fromLatin1(format);
    }

    void convertsTheShowcase()
    {
        // The document the README converts first.
        QFETCH(QString, format);
        QTemporaryDir dir;
        const Run run = runTool({QStringLiteral("convert"), QStringLiteral(TAVISK_SHOWCASE), QStringLiteral("-o"),
                                 dir.filePath(QStringLiteral("showcase.") + format)});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files)
            QVERIFY(QFileInfo(dir.filePath(file)).size() > 0);
    }

    void showcaseHoldsWhatItShows()
    {
        const Run run = runTool({QStringLiteral("info"), QStringLiteral(TAVISK_SHOWCASE), QStringLiteral("--json")});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject info = QJsonDocument::fromJson(run.out).object();
        const QJsonObject metadata = info.value(u"metadata").toObject();
        // Every metadata item is given.
        for (auto it = metadata.begin(); it != metadata.end(); ++it)
            QVERIFY2(!it.value().isNull(), qPrintable(it.key()));
        QCOMPARE(info.value(u"userProperties").toArray().size(), 5);
        QStringList pictureFormats;
        for (const QJsonValue &picture : info.value(u"pictures").toArray())
            pictureFormats.append(picture.toObject().value(u"format").toString());
        QCOMPARE(pictureFormats, (QStringList{QStringLiteral("png"), QStringLiteral("jpg")}));
        QVERIFY(info.value(u"styles").toArray().size() >= 3);
        QVERIFY(info.value(u"colours").toArray().size() >= 5);
    }

    // Fields, notes, comments, headers and footers, text boxes.

    void structureText_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");

        const QString links = TestHelpers::dataFile(QStringLiteral("structure-links-word.rtf"));
        const QString notes = TestHelpers::dataFile(QStringLiteral("structure-notes-word.rtf"));
        const QString headers = TestHelpers::dataFile(QStringLiteral("structure-headers-word.rtf"));
        QTest::newRow("links as their text") << QStringList{links}
                                             << QStringLiteral("See the example site, the second part on 11 December "
                                                               "2026.\nSecond part\n");
        QTest::newRow("links with their address")
            << QStringList{links, QStringLiteral("--links")}
            << QStringLiteral("See the example site <https://example.org/a?b=1&c=2>, the second part on 11 December "
                              "2026.\nSecond part\n");
        QTest::newRow("notes after the body")
            << QStringList{notes}
            << QStringLiteral("First claim[1], second claim[i], third claim[*], fourth[2].\n----\n[1] The first "
                              "source.\n[*] A custom mark.\n[2] Second footnote.\nIts second paragraph.\n[i] An "
                              "endnote.\n");
        const QString body = QStringLiteral("Body text.\nBoxed text\nAfter the box.\nReviewed words.\nComments\n"
                                            "[JS1] Jo Smith, 2024-05-06T07:08:00: Check this.\n");
        QTest::newRow("headers left out, text box and comments shown") << QStringList{headers} << body;
        QTest::newRow("headers at top and bottom")
            << QStringList{headers, QStringLiteral("--headers")}
            << QStringLiteral("Title page head\n\n") + body + QStringLiteral("\nPage 2 of 3\n");
    }

    void structureText()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        const Run run = runTool(QStringList{QStringLiteral("convert")} + arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), text);
    }

    void structureHtml()
    {
        const QString links = TestHelpers::dataFile(QStringLiteral("structure-links-word.rtf"));
        const QString notes = TestHelpers::dataFile(QStringLiteral("structure-notes-word.rtf"));
        const QString html = QString::fromUtf8(
            runTool({QStringLiteral("convert"), links, QStringLiteral("--to"), QStringLiteral("html")}).out);
        QVERIFY(html.contains(QLatin1String("<a href=\"https://example.org/a?b=1&amp;c=2\">")));
        QVERIFY(html.contains(QLatin1String("<a href=\"#_Second\">")));
        QVERIFY(html.contains(QLatin1String("<a name=\"_Second\">")));

        // Read back, the notes link both ways.
        QTextDocument document;
        document.setHtml(QString::fromUtf8(
            runTool({QStringLiteral("convert"), notes, QStringLiteral("--to"), QStringLiteral("html")}).out));
        QStringList hrefs;
        QStringList names;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (!format.anchorHref().isEmpty())
                    hrefs.append(format.anchorHref());
                names += format.anchorNames();
            }
        }
        for (const QString &name : {QStringLiteral("footnote-1"), QStringLiteral("footnote-ref-1"),
                                    QStringLiteral("endnote-1"), QStringLiteral("endnote-ref-1")}) {
            QVERIFY2(names.contains(name), qPrintable(name));
            QVERIFY2(hrefs.contains(QLatin1Char('#') + name), qPrintable(name));
        }
        QVERIFY(!html.contains(QLatin1String("Running head")));
    }

    void structureMarkdown()
    {
        const QString notes = TestHelpers::dataFile(QStringLiteral("structure-notes-word.rtf"));
        const QString markdown = QString::fromUtf8(
            runTool({QStringLiteral("convert"), notes, QStringLiteral("--to"), QStringLiteral("md")}).out);
        QVERIFY2(markdown.contains(QLatin1String("First claim[^1]")), qPrintable(markdown));
        QVERIFY2(markdown.contains(QLatin1String("\n[^1]: The first source.")), qPrintable(markdown));
        QVERIFY2(markdown.contains(QLatin1String("\n[^e1]: An endnote.")), qPrintable(markdown));
        QVERIFY2(markdown.contains(QLatin1String("second claim[^e1]")), qPrintable(markdown));
    }

    void structureInfo()
    {
        const Run run = runTool({QStringLiteral("info"), TestHelpers::dataFile(QStringLiteral("structure-notes-word.rtf")),
                                 QStringLiteral("--json")});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject structure = QJsonDocument::fromJson(run.out).object().value(u"structure").toObject();
        QCOMPARE(structure.value(u"footnotes").toInt(), 3);
        QCOMPARE(structure.value(u"endnotes").toInt(), 1);
        const Run headers = runTool({QStringLiteral("info"), TestHelpers::dataFile(QStringLiteral("structure-headers-word.rtf"))});
        const QString text = QString::fromUtf8(headers.out);
        QVERIFY(text.contains(QLatin1String("\nHeaders and footers: 3\n")));
        QVERIFY(text.contains(QLatin1String("\nText boxes: 1\n")));
        QVERIFY(text.contains(QLatin1String("\nComments: 1\n")));
        const Run links = runTool({QStringLiteral("info"), TestHelpers::dataFile(QStringLiteral("structure-links-word.rtf"))});
        QVERIFY(QString::fromUtf8(links.out).contains(QLatin1String("\nLinks: 2\n")));
    }

    // A header with the page number on every page, in the top margin.
    void headersOnEveryPage()
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\paperw5760\\paperh5760"
                         "{\\header \\pard\\qc\\f0\\fs28 Head {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
                         "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par}\n";
        for (int i = 0; i < 40; ++i)
            rtf += "\\pard\\f0\\fs24 Paragraph " + QByteArray::number(i) + "\\par\n";
        rtf += "}";
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("headed.rtf"));
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf);
        file.close();

        const Run run = runTool({QStringLiteral("convert"), input, QStringLiteral("--dpi"), QStringLiteral("96"),
                                 QStringLiteral("-o"), dir.filePath(QStringLiteral("headed.png"))});
        QCOMPARE(run.exitCode, 0);
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("headed-*.png")}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 3);
        // The band between half an inch from the top and the top margin (one
        // inch) holds the header on every page, and differs from page to
        // page by the number.
        QList<QImage> bands;
        for (const QString &name : files) {
            const QImage page(dir.filePath(name));
            const QImage band = page.copy(0, 48, page.width(), 48);
            bool ink = false;
            for (int y = 0; y < band.height() && !ink; ++y) {
                for (int x = 0; x < band.width() && !ink; ++x)
                    ink = qGray(band.pixel(x, y)) < 128;
            }
            QVERIFY2(ink, qPrintable(name));
            bands.append(band);
        }
        QVERIFY(bands.at(0) != bands.at(1));

        // The PDF has the header's text once a page, numbers replaced.
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString pdf = dir.filePath(QStringLiteral("headed.pdf"));
        QCOMPARE(runTool({QStringLiteral("convert"), input, QStringLiteral("-o"), pdf}).exitCode, 0);
        QProcess process;
        process.start(pdftotext, {pdf, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(60000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        const int pageCount = files.size();
        for (int page = 1; page <= pageCount; ++page) {
            const QString head = QStringLiteral("Head %1 of %2").arg(page).arg(pageCount);
            QCOMPARE(text.count(head), 1);
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(ToolsTest)

#include "toolstest.moc"

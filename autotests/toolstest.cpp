// Tests of the tavisk command-line tool: every output format, info, and the
// error paths with their messages and exit statuses. The tool runs as a
// child process, without a display.

#include "controlcharacters.h"
#include "headerfooter.h"
#include "listmarkers.h"
#include "plaintextexport.h"
#include "structureexport.h"
#include "testhelpers.h"

#include <tavisk/plaintextrtfoutput.h>
#include <tavisk/reader.h>

#include <tavisk/textdocumentrtfoutput.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextTable>
#include <QTextFrame>
#include <QTextCursor>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtEndian>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/// How the tool's standard streams are set up for one run.
struct RunOptions {
    QString workingDirectory;
    QString standardInputFile;  ///< standard input read from this file
    QByteArray standardInput;   ///< else these bytes through a pipe
    QString standardOutputFile; ///< standard output written to this file
    bool closedPipe = false;    ///< standard output a pipe nobody reads
};

QProcessEnvironment toolEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    environment.insert(QStringLiteral("TOOL"), QStringLiteral(TAVISK_TOOL));
    return environment;
}

Run finish(QProcess &process)
{
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

/// Runs the tool with @p arguments, without a display and without any
/// platform chosen for it.
Run runTool(const QStringList &arguments, const RunOptions &options = {})
{
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    if (!options.workingDirectory.isEmpty())
        process.setWorkingDirectory(options.workingDirectory);
    if (!options.standardInputFile.isEmpty())
        process.setStandardInputFile(options.standardInputFile);
    if (!options.standardOutputFile.isEmpty())
        process.setStandardOutputFile(options.standardOutputFile);
    int closedPipe[2] = {-1, -1};
    if (options.closedPipe) {
        // The reading end is closed before the tool starts: its first write
        // meets a pipe without a reader.
        if (::pipe(closedPipe) != 0)
            qFatal("cannot make a pipe");
        ::close(closedPipe[0]);
        const int writeEnd = closedPipe[1];
        process.setChildProcessModifier([writeEnd] { ::dup2(writeEnd, STDOUT_FILENO); });
    }
    process.start(QStringLiteral(TAVISK_TOOL), arguments);
    if (options.closedPipe)
        ::close(closedPipe[1]);
    if (options.standardInputFile.isEmpty() && process.waitForStarted()) {
        process.write(options.standardInput);
        process.closeWriteChannel();
    }
    return finish(process);
}

/// Runs @p script with /bin/sh, the tool's path in $TOOL, for what takes the
/// shell: file names that are not UTF-8, resource limits.
Run runShell(const QString &script, const QString &workingDirectory)
{
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    process.closeWriteChannel();
    return finish(process);
}

/// The names in @p folder as bytes, sorted; hidden ones too.
QList<QByteArray> entryBytes(const QString &folder)
{
    QList<QByteArray> names;
    if (DIR *directory = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(directory)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(directory);
    }
    std::sort(names.begin(), names.end());
    return names;
}

/// Whether @p bytes hold a control character other than tab and line ends.
bool hasControlCharacter(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t unit = c.unicode();
        return unit != u'\t' && unit != u'\n' && unit != u'\r' && (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F));
    });
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

/// @p text with each match of @p pattern replaced by what @p replacement
/// makes of the match.
template<typename Replacement>
QString replaced(const QString &text, const QRegularExpression &pattern, Replacement replacement)
{
    QString result;
    qsizetype done = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(done, match.capturedStart() - done);
        result += replacement(match);
        done = match.capturedEnd();
    }
    result += QStringView(text).mid(done);
    return result;
}

/// @p text (HTML or Markdown) with every data: URL picture written as
/// "{colour WxH}", the colour of its first pixel and its size in pixels; an
/// HTML <img> also gives the size it is shown at: "{colour WxH shown wxh}".
QString withPicturesNamed(const QString &text)
{
    static const QHash<QRgb, QString> colours{{qRgb(255, 0, 0), QStringLiteral("red")},
                                              {qRgb(0, 255, 0), QStringLiteral("green")},
                                              {qRgb(0, 0, 255), QStringLiteral("blue")}};
    const auto name = [](const QString &base64) {
        const QImage image = QImage::fromData(QByteArray::fromBase64(base64.toLatin1()));
        if (image.isNull())
            return QStringLiteral("unreadable");
        return QStringLiteral("%1 %2x%3")
            .arg(colours.value(image.pixel(0, 0), QStringLiteral("other")))
            .arg(image.width())
            .arg(image.height());
    };
    static const QRegularExpression img(
        QStringLiteral("<img src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\" width=\"(\\d+)\" height=\"(\\d+)\" />"));
    static const QRegularExpression url(QStringLiteral("data:image/png;base64,([A-Za-z0-9+/=]+)"));
    const QString tags = replaced(text, img, [&](const QRegularExpressionMatch &match) {
        return QStringLiteral("{%1 shown %2x%3}").arg(name(match.captured(1)), match.captured(2), match.captured(3));
    });
    return replaced(tags, url, [&](const QRegularExpressionMatch &match) {
        return QLatin1Char('{') + name(match.captured(1)) + QLatin1Char('}');
    });
}

/// The text of @p rtf as the document route writes it: read into a
/// QTextDocument, then the header and footer put in (@p showHeaders), the
/// control characters removed, links and notes written out (@p showLinks)
/// and the text export.
QByteArray documentRouteText(const QByteArray &rtf, bool showLinks, bool showHeaders)
{
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    Tavisk::TextDocumentRtfOutput output(&document);
    QBuffer input;
    input.setData(rtf);
    input.open(QIODevice::ReadOnly);
    Tavisk::Reader reader;
    if (!reader.open(&input) || !reader.parseTo(&output))
        return QByteArray();
    if (showHeaders)
        HeaderFooterText::insertIntoText(&document, output);
    removeControlCharacters(&document);
    StructureExport::prepareText(&document, showLinks);
    QString text = plainTextOf(document);
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text.append(QLatin1Char('\n'));
    return text.toUtf8();
}

/// The text of @p rtf as PlainTextRtfOutput writes it into a device.
QByteArray streamedText(const QByteArray &rtf, bool showLinks, bool showHeaders)
{
    QByteArray text;
    QBuffer device(&text);
    device.open(QIODevice::WriteOnly);
    Tavisk::PlainTextRtfOutput output(&device);
    output.setShowLinkAddresses(showLinks);
    output.setShowHeadersAndFooters(showHeaders);
    QBuffer input;
    input.setData(rtf);
    input.open(QIODevice::ReadOnly);
    Tavisk::Reader reader;
    if (!reader.open(&input) || !reader.parseTo(&output))
        return QByteArray();
    return text;
}

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

const QString sample = TestHelpers::dataFile(QStringLiteral("tool-sample.rtf"));
const QString pages = TestHelpers::dataFile(QStringLiteral("tool-pages.rtf"));
const QString notRtf = TestHelpers::dataFile(QStringLiteral("tool-not-rtf.txt"));
const QString controlCharacters = TestHelpers::dataFile(QStringLiteral("tool-control-characters.rtf"));
const QString notRtfMessage = QStringLiteral("not an RTF file (it does not start with {\\rtf)");
// Two headings with a page break between them, as Word 2016 writes them.
const QString headings = TestHelpers::dataFile(QStringLiteral("format-headings-word.rtf"));
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

    void tablesAsText_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Word") << QStringLiteral("structure-tables-word.rtf")
                              << QStringLiteral("Before the table.\n\nFruit\tColour\nApple\tRed\n\nAfter the table.\n");
        // The covered place of a merged cell stays empty.
        QTest::newRow("LibreOffice") << QStringLiteral("structure-tables-libreoffice.rtf")
                                     << QStringLiteral("Before\n\nOne\tTwo and three\t\nFour\tFive\tSix\n\nAfter\n");
        // A nested table's rows are lines inside the cell's text.
        QTest::newRow("nested") << QStringLiteral("structure-tables-nested.rtf")
                                << QStringLiteral("Nested tables:\n\nOuter one\n\nInner A\tInner B\nInner C\tInner D\n\tOuter two\n\nAfter.\n");
    }

    void tablesAsText()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);

        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(file), QStringLiteral("--to"),
                                 QStringLiteral("txt"), QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), expected);
    }

    void tablesAsHtml()
    {
        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(QStringLiteral("structure-tables-libreoffice.rtf")),
                                 QStringLiteral("--to"), QStringLiteral("html"), QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("<table"));
        QVERIFY(run.out.contains("colspan=\"2\""));
        // Read back, the table keeps its cells and its merge.
        QTextDocument document;
        document.setHtml(QString::fromUtf8(run.out));
        QTextTable *table = nullptr;
        for (QTextFrame *frame : document.rootFrame()->childFrames())
            table = table ? table : qobject_cast<QTextTable *>(frame);
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 3);
        QCOMPARE(table->cellAt(0, 1).columnSpan(), 2);
        QCOMPARE(table->cellAt(1, 2).firstCursorPosition().block().text(), QStringLiteral("Six"));
    }

    void tablesAsMarkdown_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("pipe table") << QStringLiteral("structure-tables-word.rtf")
                                    << QStringList{QStringLiteral("|Fruit|Colour|"), QStringLiteral("|Apple|Red")}
                                    << QStringList{QStringLiteral("<table")};
        QTest::newRow("merged cells as HTML") << QStringLiteral("structure-tables-libreoffice.rtf")
                                              << QStringList{QStringLiteral("<table"), QStringLiteral("colspan=\"2\""),
                                                             QStringLiteral("Before"), QStringLiteral("After")}
                                              << QStringList{QStringLiteral("|One")};
    }

    void tablesAsMarkdown()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);

        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(file), QStringLiteral("--to"),
                                 QStringLiteral("md"), QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(run.exitCode, 0);
        const QString markdown = QString::fromUtf8(run.out);
        for (const QString &text : present)
            QVERIFY2(markdown.contains(text), qPrintable(markdown));
        for (const QString &text : absent)
            QVERIFY2(!markdown.contains(text), qPrintable(markdown));
    }

    // Real files: every table of theirs gives lines of cells a tab apart.
    void tablesInCorpus_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");

        const QDir corpus(QStringLiteral(TAVISK_CORPUS_DIR));
        QStringList files;
        const QDir tika(corpus.filePath(QStringLiteral("tika")));
        for (const QString &name : tika.entryList({QStringLiteral("testRTFTableCellSeparation*.rtf")}, QDir::Files, QDir::Name))
            files.append(QStringLiteral("tika/") + name);
        const QDir pandoc(corpus.filePath(QStringLiteral("pandoc")));
        for (const QString &name : pandoc.entryList({QStringLiteral("table_*.rtf")}, QDir::Files, QDir::Name))
            files.append(QStringLiteral("pandoc/") + name);
        if (files.isEmpty())
            QSKIP("the RTF corpus is not available");
        const QHash<QString, QString> known = {
            {QStringLiteral("pandoc/table_simple.rtf"), QStringLiteral("A \tB \tC \tD \nE \tF \tG \tH \n")},
            {QStringLiteral("pandoc/table_nested.rtf"), QStringLiteral("Deep A\tDeep B\nDeep C\tDeep D\n")},
            {QStringLiteral("pandoc/table_error_codes.rtf"), QStringLiteral("Code\tError\n3\tPandocFailOnWarningError\n")},
            // One cell a table: no tab, but every paragraph on its own line
            // (the levels the file skips are empty tables of their own).
            {QStringLiteral("pandoc/table_nested_malformed_itap.rtf"),
             QStringLiteral("Parent before\n\nChild at skipped level\n\n\n\nParent after\n\nOuter cell\n")},
        };
        for (const QString &file : std::as_const(files))
            QTest::newRow(qPrintable(file)) << corpus.filePath(file) << known.value(file);
    }

    void tablesInCorpus()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);

        const Run run = runTool({QStringLiteral("convert"), file, QStringLiteral("--to"), QStringLiteral("txt"),
                                 QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(run.exitCode, 0);
        const QString text = QString::fromUtf8(run.out);
        if (expected.isEmpty())
            QVERIFY2(text.contains(QLatin1Char('\t')), qPrintable(text));
        else
            QVERIFY2(text.contains(expected), qPrintable(text));
    }

    void infoCountsTables()
    {
        const QString file = TestHelpers::dataFile(QStringLiteral("structure-tables-nested.rtf"));
        const Run text = runTool({QStringLiteral("info"), file});
        QCOMPARE(text.exitCode, 0);
        QVERIFY2(text.out.contains("Tables: 2 (1 nested)\n"), text.out.constData());
        const Run json = runTool({QStringLiteral("info"), QStringLiteral("--json"), file});
        QCOMPARE(json.exitCode, 0);
        const QJsonObject tables = QJsonDocument::fromJson(json.out).object().value(u"tables").toObject();
        QCOMPARE(tables.value(u"count").toInt(), 2);
        QCOMPARE(tables.value(u"nested").toInt(), 1);
    }

    // ---- the text output and the document route ----

    // The text `tavisk convert --to txt` writes comes from PlainTextRtfOutput,
    // read as the file is read; it is the text of the document the other
    // formats are written from, byte for byte, with and without link
    // addresses and headers: on every fixture and every file of the corpus.
    void textRoutesAgree_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("showLinks");
        QTest::addColumn<bool>("showHeaders");

        const QDir fixtures(QFINDTESTDATA("data"));
        QStringList files;
        for (const QString &name : fixtures.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
            files.append(fixtures.filePath(name));
        const QString corpus = QStringLiteral(TAVISK_CORPUS_DIR);
        QStringList corpusFiles;
        QDirIterator it(corpus, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            corpusFiles.append(it.next());
        corpusFiles.sort();
        files += corpusFiles;
        for (const QString &file : std::as_const(files)) {
            const QString name = file.startsWith(corpus) ? QDir(corpus).relativeFilePath(file)
                                                         : fixtures.relativeFilePath(file);
            QTest::newRow(qPrintable(name)) << file << false << false;
            QTest::newRow(qPrintable(name + QStringLiteral(" --links --headers"))) << file << true << true;
        }
    }

    void textRoutesAgree()
    {
        QFETCH(QString, file);
        QFETCH(bool, showLinks);
        QFETCH(bool, showHeaders);

        const QByteArray rtf = readFile(file);
        const QByteArray expected = documentRouteText(rtf, showLinks, showHeaders);
        const QByteArray actual = streamedText(rtf, showLinks, showHeaders);
        if (actual == expected)
            return;
        const QList<QByteArray> expectedLines = expected.split('\n');
        const QList<QByteArray> actualLines = actual.split('\n');
        qsizetype line = 0;
        while (line < expectedLines.size() && line < actualLines.size() && expectedLines[line] == actualLines[line])
            ++line;
        QFAIL(qPrintable(QStringLiteral("%1: line %2 differs\n  document: %3\n  streamed: %4")
                             .arg(file)
                             .arg(line + 1)
                             .arg(QString::fromUtf8(expectedLines.value(line, "(end)")),
                                  QString::fromUtf8(actualLines.value(line, "(end)")))));
    }

    // Text needs no fonts and no platform: --to txt runs where no platform
    // plugin can be loaded, the document formats do not.
    void textWithoutPlatform()
    {
        QProcess process;
        QProcessEnvironment environment = toolEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("tavisk-no-such-platform"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TAVISK_TOOL), {QStringLiteral("convert"), sample, QStringLiteral("--to"),
                                                    QStringLiteral("txt")});
        const Run text = finish(process);
        QCOMPARE(text.exitCode, 0);
        QVERIFY2(text.out.contains("Hello from the tool fixture"), text.out.constData());
        process.start(QStringLiteral(TAVISK_TOOL), {QStringLiteral("convert"), sample, QStringLiteral("--to"),
                                                    QStringLiteral("html"), QStringLiteral("-o"), QStringLiteral("-")});
        const Run html = finish(process);
        QVERIFY(html.exitCode != 0);
    }

    // ---- lists ----

    void listMarkers_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("lists");

        // Each paragraph with the marker the text output puts before it.
        QTest::newRow("Word 2016") << QStringLiteral("structure-lists-word.rtf")
                                   << QStringList{QStringLiteral("Shopping:"),
                                                  QStringLiteral("\u2022 Apples"),
                                                  QStringLiteral("\u2022 Pears"),
                                                  QStringLiteral("  \u25e6 Green pears"),
                                                  QStringLiteral("    \u25aa Conference"),
                                                  QStringLiteral("\u2022 Plums"),
                                                  QStringLiteral("Steps:"),
                                                  QStringLiteral("1. Open the box"),
                                                  QStringLiteral("  a) Carefully"),
                                                  QStringLiteral("2. Take it out"),
                                                  QStringLiteral("Later:"),
                                                  QStringLiteral("5. Close it"),
                                                  QString(),
                                                  QString()}
                                   << 3;
        QTest::newRow("WordPad") << QStringLiteral("structure-lists-wordpad.rtf")
                                 << QStringList{QStringLiteral("Before"), QStringLiteral("\u2022 One"),
                                                QStringLiteral("\u2022 Two"), QStringLiteral("1. First"),
                                                QStringLiteral("2. Second"), QStringLiteral("C) Third letter"),
                                                QStringLiteral("After"), QString()}
                                 << 1;
    }

    void listMarkers()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, lines);
        QFETCH(int, lists);

        QTextDocument document;
        QVERIFY(Tavisk::TextDocumentRtfOutput::fromRtf(readFile(TestHelpers::dataFile(fixture)), &document));
        QStringList actual;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            actual.append(listMarker(block) + block.text());
        QCOMPARE(actual, lines);
        QCOMPARE(countLists(document), lists);
    }

    void listMarkerNumbers_data()
    {
        QTest::addColumn<QByteArray>("level");
        QTest::addColumn<QString>("marker");

        // The 28th item of a list, in each style.
        QTest::newRow("decimal") << QByteArray("\\levelnfc0{\\leveltext\\'02\\'00.;}") << QStringLiteral("28. ");
        QTest::newRow("lower letters run on past z") << QByteArray("\\levelnfc4{\\leveltext\\'02\\'00);}")
                                                     << QStringLiteral("ab) ");
        QTest::newRow("upper roman in parentheses") << QByteArray("\\levelnfc1{\\leveltext\\'03(\\'00);}")
                                                    << QStringLiteral("(XXVIII) ");
        QTest::newRow("lower roman from a start number")
            << QByteArray("\\levelnfc2\\levelstartat1972{\\leveltext\\'02\\'00.;}") << QStringLiteral("mcmxcix. ");
        QTest::newRow("letters from zero fall back to numbers")
            << QByteArray("\\levelnfc3\\levelstartat-27{\\leveltext\\'02\\'00.;}") << QStringLiteral("0. ");
    }

    void listMarkerNumbers()
    {
        QFETCH(QByteArray, level);
        QFETCH(QString, marker);

        const QByteArray rtf = "{\\rtf1{\\*\\listtable{\\list{\\listlevel" + level + "}\\listid1}}"
                               "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\pard\\ls1 "
            + QByteArray("x\\par ").repeated(28) + "}";
        QTextDocument document;
        QVERIFY(Tavisk::TextDocumentRtfOutput::fromRtf(rtf, &document));
        QCOMPARE(listMarker(document.findBlockByNumber(27)), marker);
    }

    void listsInHtml()
    {
        // Qt writes the QTextLists as <ul> and <ol>; read back, the lists
        // and their styles are all there.
        const QString output = m_dir.filePath(QStringLiteral("lists.html"));
        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(QStringLiteral("structure-lists-word.rtf")),
                                 QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QString html = QString::fromUtf8(readFile(output));
        QCOMPARE(html.count(QStringLiteral("<ul")), 3);
        QCOMPARE(html.count(QStringLiteral("<ol")), 3);
        QTextDocument document;
        document.setHtml(html);
        QStringList items;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.textList())
                items.append(QString::number(block.textList()->format().style()) + QLatin1Char(' ') + block.text());
        }
        QCOMPARE(items, (QStringList{QStringLiteral("-1 Apples"), QStringLiteral("-1 Pears"),
                                     QStringLiteral("-2 Green pears"), QStringLiteral("-3 Conference"),
                                     QStringLiteral("-1 Plums"), QStringLiteral("-4 Open the box"),
                                     QStringLiteral("-5 Carefully"), QStringLiteral("-4 Take it out"),
                                     QStringLiteral("-4 Close it")}));
    }

    void listsInMarkdown()
    {
        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(QStringLiteral("structure-lists-word.rtf")),
                                 QStringLiteral("--to"), QStringLiteral("md")});
        QCOMPARE(run.exitCode, 0);
        const QString markdown = QString::fromUtf8(run.out);
        QVERIFY2(markdown.contains(QStringLiteral("- Apples\n- Pears\n  * Green pears\n    + Conference\n- Plums\n")),
                 run.out.constData());
        QVERIFY2(markdown.contains(QStringLiteral("1.  Open the box\n")), run.out.constData());
        // The stored markers are not repeated in the text.
        QVERIFY(!markdown.contains(QStringLiteral("\u00b7")));
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
        // The first paragraph has the style "heading 1".
        QVERIFY(markdown.startsWith(QStringLiteral("# Hello from the tool fixture\n")));
        QVERIFY(markdown.contains(QStringLiteral("](data:image/png;base64,")));
        const QList<QImage> images = dataUrlImages(markdown);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.first().size(), QSize(8, 8));
    }

    void picturesInHtmlAndMarkdown_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        // The body's text, each cell begun by "|", the pictures named.
        QTest::newRow("html") << QStringLiteral("html")
                              << QStringLiteral("Red {red 2x2 shown 2x2} then green {green 3x1 shown 3x1} and red twice: "
                                                "{red 2x2 shown 2x2}{red 2x2 shown 2x2} . | Blue in a cell: | "
                                                "{blue 1x4 shown 1x4} Green again, larger: {green 3x1 shown 6x2}");
        QTest::newRow("md") << QStringLiteral("md")
                            << QStringLiteral("Red \n![image]({red 2x2})\nthen green \n![image]({green 3x1})\n"
                                              "and red twice: \n![image]({red 2x2})\n![image]({red 2x2})\n.\n\n\n"
                                              "|Blue in a cell:|![image]({blue 1x4})|\n\n"
                                              "Green again, larger: \n![image]({green 3x1})\n\n");
    }

    void picturesInHtmlAndMarkdown()
    {
        // Word's pictures, each with its metafile fallback: in a sentence,
        // the same picture twice side by side, one in a table cell, and one
        // shown at twice its size. Each becomes a data: URL in its place.
        QFETCH(QString, format);
        QFETCH(QString, expected);
        const Run run = runTool({QStringLiteral("convert"), TestHelpers::dataFile(QStringLiteral("tool-pictures-word.rtf")),
                                 QStringLiteral("--to"), format});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QString text = QString::fromUtf8(run.out);
        QVERIFY(!text.contains(QStringLiteral("rtfparser:")));
        QString named = withPicturesNamed(text);
        if (format == QLatin1String("html")) {
            static const QRegularExpression cell(QStringLiteral("<td[^>]*>"));
            static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
            named = named.mid(named.indexOf(QLatin1String("<body")));
            named = named.replace(cell, QStringLiteral(" | ")).replace(tag, QStringLiteral(" ")).simplified();
        }
        QCOMPARE(named, expected);
    }

    void headingsInHtmlAndMarkdown()
    {
        const Run html = runTool({QStringLiteral("convert"), headings, QStringLiteral("--to"), QStringLiteral("html")});
        QCOMPARE(html.err, QByteArray());
        QCOMPARE(html.exitCode, 0);
        const QString page = QString::fromUtf8(html.out);
        static const QRegularExpression heading(QStringLiteral("<h([1-6])[ >].*?>([^<]*)</span></h\\1>"));
        QStringList found;
        for (auto it = heading.globalMatch(page); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            found.append(match.captured(1) + QLatin1Char(' ') + match.captured(2));
        }
        QCOMPARE(found, (QStringList{QStringLiteral("1 Introduction"), QStringLiteral("2 Details")}));
        QVERIFY(page.contains(QStringLiteral("page-break-before:always")));

        const Run markdown = runTool({QStringLiteral("convert"), headings, QStringLiteral("--to"), QStringLiteral("md")});
        QCOMPARE(markdown.err, QByteArray());
        QCOMPARE(markdown.exitCode, 0);
        QCOMPARE(lines(markdown.out), (QStringList{QStringLiteral("# Introduction"), QStringLiteral("The first page ends here."),
                                                   QStringLiteral("## Details"),
                                                   QStringLiteral("The second page starts with a heading.")}));
    }

    void deepHeadingsInMarkdown()
    {
        // Markdown stops at six levels; Word's "heading 9" is written as the
        // sixth, not as text starting with nine '#'.
        const QString input = m_dir.filePath(QStringLiteral("deep-headings.rtf"));
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1{\\stylesheet{\\s6 heading 6;}{\\s9 heading 9;}}\\s6 Six\\par\\s9 Nine\\par}");
        file.close();
        const Run run = runTool({QStringLiteral("convert"), input, QStringLiteral("--to"), QStringLiteral("md")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(lines(run.out), (QStringList{QStringLiteral("###### Six"), QStringLiteral("###### Nine")}));
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
        QTest::newRow("two pages from a page break") << headings << 2;
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
                                       << QStringLiteral("tavisk: %1: %2").arg(notRtf, notRtfMessage);
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
        QCOMPARE(lines(run.err), QStringList{QStringLiteral("tavisk: %1: %2").arg(notRtf, notRtfMessage)});
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

    void readsStandardInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("fromPipe");
        QTest::addColumn<QString>("expectedStart");
        const QString convert = QStringLiteral("convert");
        const QString stdinName = QStringLiteral("-");
        QTest::newRow("convert - from a file") << QStringList{convert, stdinName} << false << QStringLiteral("Hello from the tool fixture\n");
        QTest::newRow("convert - from a pipe") << QStringList{convert, stdinName} << true << QStringLiteral("Hello from the tool fixture\n");
        QTest::newRow("convert - --to html") << QStringList{convert, stdinName, QStringLiteral("--to"), QStringLiteral("html")} << true
                                             << QStringLiteral("<!DOCTYPE HTML");
        QTest::newRow("convert - -o - --to md") << QStringList{convert, stdinName, QStringLiteral("-o"), stdinName, QStringLiteral("--to"), QStringLiteral("md")}
                                                << true << QStringLiteral("# Hello from the tool fixture");
        QTest::newRow("info -") << QStringList{QStringLiteral("info"), stdinName} << true << QStringLiteral("File:     -\nTitle:    Tool fixture\n");
    }

    void readsStandardInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, fromPipe);
        QFETCH(QString, expectedStart);
        RunOptions options;
        if (fromPipe)
            options.standardInput = readFile(sample);
        else
            options.standardInputFile = sample;
        const Run run = runTool(arguments, options);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(expectedStart.toUtf8()), run.out.left(80).constData());
    }

    void standardInputIntoAFile()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("from-stdin.odt"));
        RunOptions options;
        options.standardInput = readFile(sample);
        const Run run = runTool({QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("-o"), output}, options);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(output).startsWith("PK\x03\x04"));
    }

    void standardInputErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString convert = QStringLiteral("convert");
        const QString stdinName = QStringLiteral("-");
        QTest::newRow("not RTF") << QStringList{convert, stdinName} << 1
                                 << QStringLiteral("tavisk: standard input: %1").arg(notRtfMessage);
        QTest::newRow("info, not RTF") << QStringList{QStringLiteral("info"), stdinName} << 1
                                       << QStringLiteral("tavisk: standard input: %1").arg(notRtfMessage);
        QTest::newRow("read twice") << QStringList{convert, stdinName, stdinName, QStringLiteral("-o"), m_dir.path() + u'/', QStringLiteral("--to"), QStringLiteral("txt")}
                                    << 2 << QStringLiteral("tavisk: standard input can be read only once");
        QTest::newRow("into a folder") << QStringList{convert, sample, stdinName, QStringLiteral("-o"), m_dir.path() + u'/', QStringLiteral("--to"), QStringLiteral("txt")}
                                       << 2 << QStringLiteral("tavisk: standard input has no name to give its output in a folder");
    }

    void standardInputErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        RunOptions options;
        options.standardInputFile = notRtf;
        const Run run = runTool(arguments, options);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith(message.toUtf8()), run.err.constData());
        QCOMPARE(lines(run.err).size(), exitCode == 1 ? 1 : 2);
    }

    void refusesToWriteOverItsInput_data()
    {
        // Run in a folder holding "doc.rtf" (the sample) and "notes.txt" (an
        // RTF file with a .txt name); "link.rtf" is a symbolic link to
        // doc.rtf and "hard.rtf" a hard link to it.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("stdinFromDoc");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("written");
        const QString convert = QStringLiteral("convert");
        const QString to = QStringLiteral("--to");
        const QString txt = QStringLiteral("txt");
        const QString o = QStringLiteral("-o");
        const QString doc = QStringLiteral("doc.rtf");
        QTest::newRow("the same name") << QStringList{convert, doc, to, txt, o, doc} << false
                                       << QStringList{QStringLiteral("tavisk: doc.rtf: not converted: writing doc.rtf would replace the input doc.rtf")}
                                       << QStringList{};
        QTest::newRow("another spelling of the name") << QStringList{convert, QStringLiteral("./doc.rtf"), to, txt, o, QStringLiteral("sub/../doc.rtf")} << false
                                                      << QStringList{QStringLiteral("tavisk: ./doc.rtf: not converted: writing sub/../doc.rtf would replace the input ./doc.rtf")}
                                                      << QStringList{};
        QTest::newRow("a symbolic link") << QStringList{convert, doc, to, txt, o, QStringLiteral("link.rtf")} << false
                                         << QStringList{QStringLiteral("tavisk: doc.rtf: not converted: writing link.rtf would replace the input doc.rtf")}
                                         << QStringList{};
        QTest::newRow("a hard link") << QStringList{convert, doc, to, txt, o, QStringLiteral("hard.rtf")} << false
                                     << QStringList{QStringLiteral("tavisk: doc.rtf: not converted: writing hard.rtf would replace the input doc.rtf")}
                                     << QStringList{};
        QTest::newRow("standard input") << QStringList{convert, QStringLiteral("-"), to, txt, o, doc} << true
                                        << QStringList{QStringLiteral("tavisk: standard input: not converted: writing doc.rtf would replace the input standard input")}
                                        << QStringList{};
        // The batch goes on: doc.txt is written, notes.txt is left alone.
        QTest::newRow("a batch into the inputs' folder") << QStringList{convert, doc, QStringLiteral("notes.txt"), to, txt, o, QStringLiteral("./")} << false
                                                         << QStringList{QStringLiteral("tavisk: notes.txt: not converted: writing ./notes.txt would replace the input notes.txt")}
                                                         << QStringList{QStringLiteral("doc.txt")};
        // The output of one input is another input (which is also its own
        // output).
        QTest::newRow("another input of the batch") << QStringList{convert, QStringLiteral("notes.rtf"), QStringLiteral("sub/notes.txt"), to, txt, o, QStringLiteral("sub/")} << false
                                                    << QStringList{QStringLiteral("tavisk: notes.rtf: not converted: writing sub/notes.txt would replace the input sub/notes.txt"),
                                                                   QStringLiteral("tavisk: sub/notes.txt: not converted: writing sub/notes.txt would replace the input sub/notes.txt")}
                                                    << QStringList{};
    }

    void refusesToWriteOverItsInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, stdinFromDoc);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, written);
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("doc.rtf"));
        QVERIFY(QFile::copy(sample, doc));
        QVERIFY(QFile::copy(pages, dir.filePath(QStringLiteral("notes.txt"))));
        QVERIFY(QFile::copy(pages, dir.filePath(QStringLiteral("notes.rtf"))));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
        QVERIFY(QFile::copy(pages, dir.filePath(QStringLiteral("sub/notes.txt"))));
        QVERIFY(QFile::link(QStringLiteral("doc.rtf"), dir.filePath(QStringLiteral("link.rtf"))));
        QCOMPARE(::link(QFile::encodeName(doc).constData(), QFile::encodeName(dir.filePath(QStringLiteral("hard.rtf"))).constData()), 0);
        const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);

        RunOptions options;
        options.workingDirectory = dir.path();
        if (stdinFromDoc)
            options.standardInputFile = doc;
        const Run run = runTool(arguments, options);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lines(run.err), messages);
        // The inputs are as they were; nothing else was written.
        QCOMPARE(readFile(doc), readFile(sample));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("notes.txt"))), readFile(pages));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("sub/notes.txt"))), readFile(pages));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("link.rtf"))).isSymLink());
        QStringList expected = before + written;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
        for (const QString &file : std::as_const(written))
            QVERIFY(readFile(dir.filePath(file)).startsWith("Hello from the tool fixture"));
    }

    void refusesToAppendToItsInput()
    {
        // "tavisk convert doc.rtf >> doc.rtf": standard output is the input.
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("doc.rtf"));
        QVERIFY(QFile::copy(sample, doc));
        QVERIFY(QFile(doc).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        const Run run = runShell(QStringLiteral("\"$TOOL\" convert doc.rtf >> doc.rtf"), dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lines(run.err), QStringList{QStringLiteral("tavisk: doc.rtf: not converted: standard output is the input doc.rtf")});
        QCOMPARE(readFile(doc), readFile(sample));
    }

    void reportsWriteFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("standardOutputFile");
        QTest::addColumn<bool>("closedPipe");
        QTest::addColumn<QString>("message");
        const QString full = QStringLiteral("/dev/full");
        QTest::newRow("convert to /dev/full") << QStringList{QStringLiteral("convert"), sample} << full << false
                                              << QStringLiteral("tavisk: standard output: cannot write: No space left on device");
        QTest::newRow("info to /dev/full") << QStringList{QStringLiteral("info"), sample} << full << false
                                           << QStringLiteral("tavisk: standard output: cannot write: No space left on device");
        QTest::newRow("convert to a closed pipe") << QStringList{QStringLiteral("convert"), sample} << QString() << true
                                                  << QStringLiteral("tavisk: standard output: cannot write: Broken pipe");
        QTest::newRow("-o /dev/full") << QStringList{QStringLiteral("convert"), sample, QStringLiteral("-o"), full, QStringLiteral("--to"), QStringLiteral("html")}
                                      << QString() << false << QStringLiteral("tavisk: /dev/full: cannot write: No space left on device");
    }

    void reportsWriteFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, standardOutputFile);
        QFETCH(bool, closedPipe);
        QFETCH(QString, message);
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        RunOptions options;
        options.standardOutputFile = standardOutputFile;
        options.closedPipe = closedPipe;
        // No crash from SIGPIPE: a normal exit with status 1 and one message.
        const Run run = runTool(arguments, options);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lines(run.err), QStringList{message});
    }

    void failedWriteKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("pdf") << QStringLiteral("pdf");
        QTest::newRow("png pages") << QStringLiteral("png");
    }

    void failedWriteKeepsTheEarlierFile()
    {
        // A file size limit of 1 KiB (2 KiB in some shells) stops the write
        // half-way, as a full disk would.
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString target = format == QLatin1String("png") ? QStringLiteral("out-1.png") : QStringLiteral("out.") + format;
        {
            QFile earlier(dir.filePath(target));
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("the earlier file");
        }
        QVERIFY(QFile::copy(pages, dir.filePath(QStringLiteral("in.rtf"))));
        const Run run = runShell(QStringLiteral("ulimit -f 2; exec \"$TOOL\" convert in.rtf -o out.%1").arg(format), dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(lines(run.err).size() == 1, run.err.constData());
        QVERIFY2(run.err.startsWith("tavisk: out"), run.err.constData());
        QVERIFY2(run.err.trimmed().endsWith(": cannot write: File too large"), run.err.constData());
        QCOMPARE(readFile(dir.filePath(target)), QByteArray("the earlier file"));
        // No temporary file or folder is left behind.
        QCOMPARE(entryBytes(dir.path()), (QList<QByteArray>{"in.rtf", target.toUtf8()}));
    }

    void writesDevicesAndFifosInPlace()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("out.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess process;
        process.setProcessEnvironment(toolEnvironment());
        process.start(QStringLiteral(TAVISK_TOOL), {QStringLiteral("convert"), sample, QStringLiteral("-o"), fifo, QStringLiteral("--to"), QStringLiteral("txt")});
        QFile reader(fifo);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        const QByteArray text = reader.readAll();
        const Run run = finish(process);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(text.startsWith("Hello from the tool fixture\n"));
        struct stat status;
        QCOMPARE(::lstat(QFile::encodeName(fifo).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(entryBytes(dir.path()), QList<QByteArray>{"out.fifo"});
    }

    void readsAFifoOnce()
    {
        // The writer's data reaches the tool whole: the FIFO is opened once.
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("in.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess process;
        process.setProcessEnvironment(toolEnvironment());
        process.start(QStringLiteral(TAVISK_TOOL), {QStringLiteral("convert"), fifo});
        QFile writer(fifo);
        QVERIFY(writer.open(QIODevice::WriteOnly));
        QCOMPARE(writer.write(readFile(sample)), QFileInfo(sample).size());
        writer.close();
        const Run run = finish(process);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Hello from the tool fixture\n"));
    }

    void namesThatAreNotUtf8()
    {
        // "café.rtf" and "résumé" in Latin-1: bytes that are not UTF-8.
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        // QTemporaryDir cannot remove names it cannot decode.
        const auto removeFiles = qScopeGuard([&folder] {
            ::unlink(folder + "/out/caf\xe9.md");
            ::rmdir(folder + "/out");
            ::unlink(folder + "/caf\xe9.rtf");
            ::unlink(folder + "/r\xe9sum\xe9.html");
        });
        const QByteArray input = folder + "/caf\xe9.rtf";
        {
            QFile source(sample);
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QByteArray bytes = source.readAll();
            const int fd = ::open(input.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
            ::close(fd);
        }
        const Run single = runShell(QStringLiteral("exec \"$TOOL\" convert \"$(printf 'caf\\351.rtf')\" -o \"$(printf 'r\\351sum\\351.html')\""), dir.path());
        QCOMPARE(single.err, QByteArray());
        QCOMPARE(single.exitCode, 0);
        const Run batch = runShell(QStringLiteral("exec \"$TOOL\" convert \"$(printf 'caf\\351.rtf')\" -o out/ --to md"), dir.path());
        QCOMPARE(batch.err, QByteArray());
        QCOMPARE(batch.exitCode, 0);
        QCOMPARE(entryBytes(dir.path()), (QList<QByteArray>{"caf\xe9.rtf", "out", "r\xe9sum\xe9.html"}));
        QCOMPARE(entryBytes(dir.filePath(QStringLiteral("out"))), QList<QByteArray>{"caf\xe9.md"});

        // Messages give the name as it was given; JSON, which must be UTF-8,
        // shows the byte as U+FFFD.
        const Run missing = runShell(QStringLiteral("exec \"$TOOL\" convert \"$(printf 'gon\\351.rtf')\""), dir.path());
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.err, QByteArray("tavisk: gon\xe9.rtf: cannot open: No such file or directory\n"));
        const Run info = runShell(QStringLiteral("exec \"$TOOL\" info --json \"$(printf 'caf\\351.rtf')\""), dir.path());
        QCOMPARE(info.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(info.out).object().value(u"file").toString(), QStringLiteral("caf\uFFFD.rtf"));
    }

    void noControlCharactersInAnyOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        for (const char *format : {"txt", "html", "md"})
            QTest::newRow(format) << QStringList{QStringLiteral("convert"), controlCharacters, QStringLiteral("--to"), QString::fromLatin1(format)};
        QTest::newRow("info") << QStringList{QStringLiteral("info"), controlCharacters};
        QTest::newRow("info --json") << QStringList{QStringLiteral("info"), controlCharacters, QStringLiteral("--json")};
    }

    void noControlCharactersInAnyOutput()
    {
        // NUL, bell and escape sequences in font and style names, metadata,
        // a user property and the text.
        QFETCH(QStringList, arguments);
        const Run run = runTool(arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!run.out.isEmpty());
        QVERIFY2(!hasControlCharacter(run.out), run.out.constData());
        QVERIFY(!run.out.contains("\\u0000"));
        QVERIFY(!run.out.contains("\\u001b"));
        QVERIFY(!run.out.contains("\\u0007"));
    }

    void controlCharactersLeaveTheText()
    {
        // Whatever the format: the document loses them before it is written.
        const Run run = runTool({QStringLiteral("convert"), controlCharacters});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out),
                 QStringLiteral("Body with a bell, an escape[2J and a NUL in it.\tTab stays.\nSecond paragraph.\n"));
    }

    void controlCharactersLeaveTheNames()
    {
        const Run run = runTool({QStringLiteral("info"), controlCharacters, QStringLiteral("--json")});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject info = QJsonDocument::fromJson(run.out).object();
        const QJsonArray fonts = info.value(u"fonts").toArray();
        QCOMPARE(fonts.at(0).toObject().value(u"name").toString(), QStringLiteral("Times New Roman"));
        QCOMPARE(fonts.at(1).toObject().value(u"name").toString(), QStringLiteral("Arial"));
        const QJsonArray styles = info.value(u"styles").toArray();
        QCOMPARE(styles.at(0).toObject().value(u"name").toString(), QStringLiteral("Normal[31m"));
        QCOMPARE(styles.at(1).toObject().value(u"name").toString(), QStringLiteral("heading 1"));
        const QJsonObject metadata = info.value(u"metadata").toObject();
        QCOMPARE(metadata.value(u"title").toString(), QStringLiteral("Damaged]0;owned title"));
        QCOMPARE(metadata.value(u"author").toString(), QStringLiteral("An author"));
        // Tab and line ends stay.
        QCOMPARE(metadata.value(u"documentComment").toString(), QStringLiteral("line one\r\nline\ttwo"));
        const QJsonObject property = info.value(u"userProperties").toArray().at(0).toObject();
        QCOMPARE(property.value(u"name").toString(), QStringLiteral("Badname"));
        QCOMPARE(property.value(u"value").toString(), QStringLiteral("value"));

        const Run html = runTool({QStringLiteral("convert"), controlCharacters, QStringLiteral("--to"), QStringLiteral("html")});
        QVERIFY2(html.out.contains("<title>Damaged]0;owned title</title>"), html.out.constData());
    }

    void pngPagesAreOneSet()
    {
        // A ten-page run, a three-page run, then a one-page run of the same
        // name: one set of pages remains, and files that are not pages of
        // that name stay.
        QTemporaryDir dir;
        // Pages of an earlier ten-page run, and files that are not pages.
        for (const char *other : {"doc-07.png", "doc-10.png", "doc-notes.png", "doc-1.txt", "doc.png", "other-2.png"}) {
            QFile file(dir.filePath(QString::fromLatin1(other)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString output = dir.filePath(QStringLiteral("doc.png"));
        Run run = runTool({QStringLiteral("convert"), pages, QStringLiteral("-o"), output});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(entryBytes(dir.path()), (QList<QByteArray>{"doc-1.png", "doc-1.txt", "doc-2.png", "doc-3.png", "doc-notes.png", "doc.png", "other-2.png"}));
        run = runTool({QStringLiteral("convert"), sample, QStringLiteral("-o"), output});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(entryBytes(dir.path()), (QList<QByteArray>{"doc-1.png", "doc-1.txt", "doc-notes.png", "doc.png", "other-2.png"}));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("doc-1.png"))).size(), QSize(1275, 1650));
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

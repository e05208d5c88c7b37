// Tests of the reader front end: file handling, the header check, the parse
// loop with its destination stack, and hostile input.

#include "recordingoutput.h"
#include "testhelpers.h"

#include "reader/reader_p.h"
#include "tokenizer/tokenizer.h"

#include <QBuffer>
#include <QFile>
#include <QMetaObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Tavisk;

class ReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metaObject();
    void parseWithoutOpenFile();
    void openMissingFile();
    void nullOutputReadsNothing();
    void fileNameFollowsTheDisk();
    void closeIsIdempotent();
    void reopenReplacesHeldFile();
    void secondParse_data();
    void secondParse();
    void parseHooks_data();
    void parseHooks();
    void parseHooksNeedInputAndOutput();
    void errorString_data();
    void errorString();
    void readFromDevice_data();
    void readFromDevice();
    void deviceOwnership();

    void header_data();
    void header();
    void headerReadsOnlyTheFirstBytes_data();
    void headerReadsOnlyTheFirstBytes();

    void parseLoop_data();
    void parseLoop();
    void parseLoopMessages_data();
    void parseLoopMessages();
    void parameters_data();
    void parameters();

    void hostileInput_data();
    void hostileInput();
    void truncatedFixtures_data();
    void truncatedFixtures();

private:
    QTemporaryDir m_dir;
    QString writeFile(const QString &name, const QByteArray &content);
};

QString ReaderTest::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path;
}

void ReaderTest::metaObject()
{
    Reader reader;
    QObject *object = &reader;
    QCOMPARE(qobject_cast<Reader *>(object), &reader);
    const QMetaObject *meta = reader.metaObject();
    QCOMPARE(meta->className(), "Tavisk::Reader");
    // Nothing is published beyond what QObject has.
    QCOMPARE(meta->methodCount(), QObject::staticMetaObject.methodCount());
    QCOMPARE(meta->propertyCount(), QObject::staticMetaObject.propertyCount());
    QCOMPARE(meta->enumeratorCount(), QObject::staticMetaObject.enumeratorCount());
}

void ReaderTest::parseWithoutOpenFile()
{
    Reader reader;
    RecordingOutput output;
    QVERIFY(!reader.parseTo(&output));

    QVERIFY(reader.open(writeFile(QStringLiteral("closed.rtf"), "{\\rtf1 Hello}")));
    reader.close();
    QVERIFY(!reader.parseTo(&output));
    QVERIFY(output.calls.isEmpty());
}

void ReaderTest::openMissingFile()
{
    Reader reader;
    QVERIFY(!reader.open(m_dir.filePath(QStringLiteral("does-not-exist.rtf"))));
    QVERIFY(reader.fileName().isEmpty());
    RecordingOutput output;
    QVERIFY(!reader.parseTo(&output));
    QVERIFY(output.calls.isEmpty());
}

void ReaderTest::nullOutputReadsNothing()
{
    Reader reader;
    QVERIFY(reader.open(writeFile(QStringLiteral("null.rtf"), "{\\rtf1 Hello}")));
    QVERIFY(!reader.parseTo(nullptr));
    // Nothing was consumed: a real output still gets the whole document.
    RecordingOutput output;
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(output.calls, QStringList{QStringLiteral("appendText(bytes:Hello)")});
}

void ReaderTest::fileNameFollowsTheDisk()
{
    const QString path = writeFile(QStringLiteral("vanishing.rtf"), "{\\rtf1 x}");
    Reader reader;
    QVERIFY(reader.fileName().isNull());
    QVERIFY(reader.open(path));
    QCOMPARE(reader.fileName(), path);
    QVERIFY(QFile::remove(path));
    QVERIFY(reader.fileName().isEmpty());
    // The open file can still be read.
    RecordingOutput output;
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(output.calls, QStringList{QStringLiteral("appendText(bytes:x)")});
}

void ReaderTest::closeIsIdempotent()
{
    Reader reader;
    reader.close();
    QVERIFY(reader.open(writeFile(QStringLiteral("twice.rtf"), "{\\rtf1 x}")));
    reader.close();
    reader.close();
    QVERIFY(reader.fileName().isNull());
}

void ReaderTest::reopenReplacesHeldFile()
{
    // The first file is closed and released (the sanitizer build checks for
    // the leak); the parse reads the second file.
    Reader reader;
    QVERIFY(reader.open(writeFile(QStringLiteral("first.rtf"), "{\\rtf1 first}")));
    QVERIFY(reader.open(writeFile(QStringLiteral("second.rtf"), "{\\rtf1 second}")));
    QCOMPARE(reader.fileName(), m_dir.filePath(QStringLiteral("second.rtf")));
    RecordingOutput output;
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(output.calls, QStringList{QStringLiteral("appendText(bytes:second)")});
}

void ReaderTest::secondParse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("secondResult");
    QTest::addColumn<QStringList>("secondCalls");
    QTest::newRow("only line breaks follow") << QByteArray("{\\rtf1 a}\r\n") << false << QStringList();
    QTest::newRow("another document follows")
        << QByteArray("{\\rtf1 a}\r\n{\\rtf1 b}") << true << QStringList{QStringLiteral("appendText(bytes:b)")};
}

void ReaderTest::secondParse()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, secondResult);
    QFETCH(QStringList, secondCalls);
    Reader reader;
    QVERIFY(reader.open(writeFile(QStringLiteral("second-parse.rtf"), content)));
    RecordingOutput first;
    QVERIFY(reader.parseTo(&first));
    QCOMPARE(first.calls, QStringList{QStringLiteral("appendText(bytes:a)")});
    RecordingOutput second;
    QCOMPARE(reader.parseTo(&second), secondResult);
    QCOMPARE(second.calls, secondCalls);
}

void ReaderTest::parseHooks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("hooks");
    QTest::newRow("document") << QByteArray("{\\rtf1 {\\b a}}") << true
                              << QStringList{QStringLiteral("beginParse@0"), QStringLiteral("endParse@4")};
    QTest::newRow("truncated document") << QByteArray("{\\rtf1 {a") << true
                                        << QStringList{QStringLiteral("beginParse@0"), QStringLiteral("endParse@2")};
    QTest::newRow("rejected header") << QByteArray("plain text") << false
                                     << QStringList{QStringLiteral("beginParse@0"), QStringLiteral("endParse@0")};
    QTest::newRow("empty input") << QByteArray() << false
                                 << QStringList{QStringLiteral("beginParse@0"), QStringLiteral("endParse@0")};
}

void ReaderTest::parseHooks()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, result);
    QFETCH(QStringList, hooks);
    RecordingOutput output;
    QCOMPARE(TestHelpers::parse(content, &output), result);
    QCOMPARE(output.hooks, hooks);
}

void ReaderTest::parseHooksNeedInputAndOutput()
{
    Reader reader;
    RecordingOutput output;
    QVERIFY(!reader.parseTo(&output));
    QVERIFY(output.hooks.isEmpty());
}

void ReaderTest::errorString_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << QStringLiteral("missing.rtf") << QByteArray() << false
                                  << QStringLiteral("cannot open: No such file or directory");
    QTest::newRow("folder") << QString() << QByteArray() << false << QStringLiteral("cannot open: Is a directory");
    QTest::newRow("not RTF") << QStringLiteral("notrtf.txt") << QByteArray("Dear Sir") << true
                             << QStringLiteral("not an RTF file (it does not start with {\\rtf)");
    QTest::newRow("RTF") << QStringLiteral("fine.rtf") << QByteArray("{\\rtf1 x}") << true << QString();
}

void ReaderTest::errorString()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, opens);
    QFETCH(QString, error);
    QString path = m_dir.path();
    if (!fileName.isEmpty())
        path = content.isNull() ? m_dir.filePath(fileName) : writeFile(fileName, content);
    Reader reader;
    QCOMPARE(reader.open(path), opens);
    if (opens) {
        QVERIFY(reader.errorString().isEmpty());
        RecordingOutput output;
        QCOMPARE(reader.parseTo(&output), error.isEmpty());
    }
    QCOMPARE(reader.errorString(), error);
}

void ReaderTest::readFromDevice_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("document") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello {\\b bold}\\par}");
    QTest::newRow("not RTF") << QByteArray("Hello");
    QTest::newRow("metadata") << TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("metadata.rtf")));
}

void ReaderTest::readFromDevice()
{
    // A buffer gives what the same bytes in a file give.
    QFETCH(QByteArray, content);
    RecordingOutput fromFile;
    const bool fileResult = TestHelpers::parse(content, &fromFile);

    QBuffer buffer;
    buffer.setData(content);
    Reader reader;
    QVERIFY(reader.open(&buffer));
    RecordingOutput fromBuffer;
    QCOMPARE(reader.parseTo(&fromBuffer), fileResult);
    QCOMPARE(fromBuffer.calls, fromFile.calls);
    QCOMPARE(fromBuffer.title(), fromFile.title());
    QVERIFY(reader.fileName().isNull());
}

void ReaderTest::deviceOwnership()
{
    // A device the reader opened is closed again by close(); one the caller
    // opened is read from where it stands and left open.
    QBuffer closedBuffer;
    closedBuffer.setData("{\\rtf1 a}");
    Reader reader;
    QVERIFY(reader.open(&closedBuffer));
    QVERIFY(closedBuffer.isOpen());
    QCOMPARE(closedBuffer.openMode() & QIODevice::ReadWrite, QIODevice::ReadOnly);
    reader.close();
    QVERIFY(!closedBuffer.isOpen());

    QBuffer openBuffer;
    openBuffer.setData("junk{\\rtf1 b}");
    QVERIFY(openBuffer.open(QIODevice::ReadOnly));
    QVERIFY(openBuffer.seek(4));
    QVERIFY(reader.open(&openBuffer));
    RecordingOutput output;
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(output.calls, QStringList{QStringLiteral("appendText(bytes:b)")});
    reader.close();
    QVERIFY(openBuffer.isOpen());

    // The reader forgets a device it was given once it reads another input.
    QBuffer first;
    first.setData("{\\rtf1 first}");
    QVERIFY(reader.open(&first));
    QVERIFY(reader.open(writeFile(QStringLiteral("after-device.rtf"), "{\\rtf1 second}")));
    QVERIFY(!first.isOpen());

    QVERIFY(!reader.open(static_cast<QIODevice *>(nullptr)));
    QVERIFY(!reader.errorString().isEmpty());
    QBuffer writeOnly;
    QVERIFY(writeOnly.open(QIODevice::WriteOnly));
    QVERIFY(!reader.open(&writeOnly));
    QCOMPARE(reader.errorString(), QStringLiteral("cannot open: the device is not open for reading"));
    QVERIFY(!reader.parseTo(&output));
    QCOMPARE(reader.errorString(), QStringLiteral("no input is open"));
}

void ReaderTest::header_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("messages");

    const QString notRtf = QStringLiteral("Not an RTF file");
    const QString wrongType = QStringLiteral("Not an RTF file - wrong document type");
    const QString unknownHeader = QStringLiteral("Not a valid RTF file - unknown header");
    auto name = [](const char *n) {
        return QStringLiteral("unknown / unexpected header token name: \"%1\"").arg(QLatin1String(n));
    };
    auto value = [](int v) { return QStringLiteral("unknown / unexpected header token value: %1").arg(v); };

    QTest::newRow("rtf1") << QByteArray("{\\rtf1\\ansi x}") << true << QStringList();
    QTest::newRow("rtf01") << QByteArray("{\\rtf01 x}") << true << QStringList();
    QTest::newRow("line breaks before and inside")
        << QByteArray("\r\n{\r\n\\rtf1 x}") << true << QStringList();
    // Writers that leave out the version or write 0 mean version 1.
    QTest::newRow("rtf without number") << QByteArray("{\\rtf x}") << true << QStringList();
    QTest::newRow("rtf without number before a word") << QByteArray("{\\rtf\\ansi x}") << true << QStringList();
    QTest::newRow("rtf and a space before a word") << QByteArray("{\\rtf \\ansi x}") << true << QStringList();
    QTest::newRow("rtf0") << QByteArray("{\\rtf0\\ansi x}") << true << QStringList();
    QTest::newRow("white space before the brace") << QByteArray(" \t\r\n \t{\\rtf1 x}") << true << QStringList();
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf{\\rtf1 x}") << true << QStringList();
    QTest::newRow("byte-order mark and a line break")
        << QByteArray("\xef\xbb\xbf\r\n{\\rtf1 x}") << true << QStringList();
    QTest::newRow("rtf2") << QByteArray("{\\rtf2 x}") << false << QStringList{value(2), unknownHeader};
    QTest::newRow("RTF1 capitals") << QByteArray("{\\RTF1 x}") << false << QStringList{name("RTF"), unknownHeader};
    QTest::newRow("empty file") << QByteArray() << false
                                << QStringList{notRtf, wrongType, name(""), unknownHeader};
    // Without a brace first nothing more is read: the second token counts as
    // missing, with an empty name.
    QTest::newRow("plain text") << QByteArray("Hello {\\rtf1}") << false
                                << QStringList{notRtf, wrongType, name(""), unknownHeader};
    QTest::newRow("NUL bytes") << QByteArray(100, '\0') << false
                               << QStringList{notRtf, wrongType, name(""), unknownHeader};
    QTest::newRow("byte-order mark twice") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf{\\rtf1 x}") << false
                                           << QStringList{notRtf, wrongType, name(""), unknownHeader};
    QTest::newRow("broken byte-order mark") << QByteArray("\xef\xbb{\\rtf1 x}") << false
                                            << QStringList{notRtf, wrongType, name(""), unknownHeader};
    QTest::newRow("space inside the brace") << QByteArray("{ \\rtf1 x}") << false
                                            << QStringList{wrongType, name(" "), unknownHeader};
    QTest::newRow("text as second token") << QByteArray("{Hello}") << false
                                          << QStringList{wrongType, name("Hello"), unknownHeader};
}

void ReaderTest::header()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, accepted);
    QFETCH(QStringList, messages);

    TestHelpers::LogCapture log;
    RecordingOutput output;
    QCOMPARE(TestHelpers::parse(content, &output), accepted);
    QStringList headerMessages;
    for (const QString &message : log.messages()) {
        if (message.startsWith(QLatin1String("Not ")) || message.startsWith(QLatin1String("unknown / ")))
            headerMessages.append(message);
    }
    QCOMPARE(headerMessages, messages);
    if (!accepted)
        QVERIFY(output.calls.isEmpty());
    else
        QCOMPARE(output.calls.last(), QStringLiteral("appendText(bytes:x)"));
}

// Input that is not RTF is refused from its first bytes: however long it is
// (a file of NUL bytes, /dev/zero), the header check reads a few kilobytes.
void ReaderTest::headerReadsOnlyTheFirstBytes_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<char>("filler");
    QTest::newRow("NUL bytes") << QByteArray() << '\0';
    QTest::newRow("text") << QByteArray() << 'x';
    QTest::newRow("a brace and NUL bytes") << QByteArray("{") << '\0';
    QTest::newRow("a brace and text") << QByteArray("{") << 'x';
    QTest::newRow("a brace and a long word") << QByteArray("{\\") << 'a';
    QTest::newRow("a brace and a long parameter") << QByteArray("{\\x") << '7';
}

void ReaderTest::headerReadsOnlyTheFirstBytes()
{
    QFETCH(QByteArray, start);
    QFETCH(char, filler);
    QByteArray content = start + QByteArray(50 << 20, filler);
    QBuffer buffer(&content);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    {
        Tokenizer tokenizer(&buffer);
        QVERIFY(!ReaderPrivate::parseFileHeader(tokenizer));
    }
    QVERIFY2(buffer.pos() < 64 * 1024, qPrintable(QString::number(buffer.pos())));
}

void ReaderTest::parseLoop_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("calls");

    const QString start = QStringLiteral("startGroup()");
    const QString end = QStringLiteral("endGroup()");
    auto text = [](const char *t) { return QStringLiteral("appendText(bytes:%1)").arg(QLatin1String(t)); };

    QTest::newRow("outermost group is not reported") << QByteArray("{\\rtf1 Hello}") << QStringList{text("Hello")};
    QTest::newRow("nested group") << QByteArray("{\\rtf1 {\\b bold} plain}")
                                  << QStringList{start, QStringLiteral("setFontBold(1)"), text("bold"), end,
                                                 text(" plain")};
    QTest::newRow("ignorable mark is handed on")
        << QByteArray("{\\rtf1 {\\*\\pgdsc Writer;}}") << QStringList{start, end};
    QTest::newRow("unknown ignorable destination is swallowed")
        << QByteArray("{\\rtf1 {\\*\\foo bar {x}}y}") << QStringList{start, start, end, end, text("y")};
    QTest::newRow("supported word inside ignored group opens nothing")
        << QByteArray("{\\rtf1 {\\*\\foo {\\pgdsc x}}y}") << QStringList{start, start, end, end, text("y")};
    QTest::newRow("known unsupported destination reads as body")
        << QByteArray("{\\rtf1 {\\xe text}}") << QStringList{start, text("text"), end};
    QTest::newRow("upr shows the ud version only")
        << QByteArray("{\\rtf1 {\\upr{ansi}{\\*\\ud{unicode}}}}")
        << QStringList{start, start, end, start, start, text("unicode"), end, end, end};
    QTest::newRow("upr text outside a group is dropped too")
        << QByteArray("{\\rtf1 {\\upr ansi{\\*\\ud unicode}}after}")
        << QStringList{start, start, text("unicode"), end, end, text("after")};
    QTest::newRow("ignorable mark survives braces")
        << QByteArray("{\\rtf1 {\\*}{\\b x}y}") << QStringList{start, end, start, end, text("y")};
    QTest::newRow("destination word after text is body")
        << QByteArray("{\\rtf1 text \\pgdsc more}") << QStringList{text("text "), text("more")};
    QTest::newRow("text after the final brace is not read")
        << QByteArray("{\\rtf1 a}b{c}") << QStringList{text("a")};
    QTest::newRow("missing final brace") << QByteArray("{\\rtf1 Hello") << QStringList{text("Hello")};
    QTest::newRow("destination closes with its group")
        << QByteArray("{\\rtf1 {\\pgdsc x}y}") << QStringList{start, end, text("y")};
    QTest::newRow("destination word after a closing brace")
        << QByteArray("{\\rtf1 {\\b x}\\pgdsc{\\f0 A;}}")
        << QStringList{start, QStringLiteral("setFontBold(1)"), text("x"), end, start, end};
    QTest::newRow("letters after a parameter are text")
        << QByteArray("{\\rtf1 \\highlight0Normal \\u945a}")
        << QStringList{QStringLiteral("setHighlightColour(0)"), text("Normal "),
                       QStringLiteral("appendText(string:U+03B1)")};
    QTest::newRow("non-breaking characters")
        << QByteArray("{\\rtf1 Mr.\\~Smith\\_x\\-y}")
        << QStringList{text("Mr."), QStringLiteral("appendText(string:U+00A0)"), text("Smith"),
                       QStringLiteral("appendText(string:U+2011)"), text("x"),
                       QStringLiteral("appendText(string:U+00AD)"), text("y")};
}

void ReaderTest::parseLoop()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse(content, &output));
    QCOMPARE(output.calls, calls);
}

void ReaderTest::parseLoopMessages_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("unknown ignorable word")
        << QByteArray("{\\rtf1 {\\*\\foo bar}}")
        << QStringList{
               QStringLiteral("*** Unrecognised control word (not in the RTF 1.9.1 vocabulary):  \"foo\""),
               QStringLiteral("ignorable destination word: \"foo\""),
               QStringLiteral("\"\\t\\t\" destinationStack after changeDestination ( QList(\"rtf\", \"ignorable\") )"),
           };
    QTest::newRow("plain destination")
        << QByteArray("{\\rtf1 {\\*\\shppict{\\pgdsc x}}}")
        << QStringList{
               QStringLiteral("creating plain old Destination for \"shppict\""),
               QStringLiteral("\"\\t\\t\" destinationStack after changeDestination ( QList(\"rtf\", \"shppict\") )"),
               QStringLiteral("creating plain old Destination for \"pgdsc\""),
               QStringLiteral("\"\\t\\t\\t\" destinationStack after changeDestination ( QList(\"rtf\", \"shppict\", "
                              "\"pgdsc\") )"),
               QStringLiteral("plain text: \"x\" in \"pgdsc\""),
           };
    QTest::newRow("ignored group content is silent")
        << QByteArray("{\\rtf1 {\\*\\rsidtbl \\rsid123 text}}")
        << QStringList{
               QStringLiteral("ignorable destination word: \"rsidtbl\""),
               QStringLiteral("\"\\t\\t\" destinationStack after changeDestination ( QList(\"rtf\", \"ignorable\") )"),
           };
}

void ReaderTest::parseLoopMessages()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, messages);
    TestHelpers::LogCapture log;
    RecordingOutput output;
    QVERIFY(TestHelpers::parse(content, &output));
    // Messages of the loop and of the plain destination, in order.
    QStringList loopMessages;
    for (const QString &message : log.messages()) {
        if (message.startsWith(QLatin1String("***")) || message.startsWith(QLatin1String("ignorable"))
            || message.contains(QLatin1String("destinationStack")) || message.startsWith(QLatin1String("creating"))
            || message.startsWith(QLatin1String("plain text")))
            loopMessages.append(message);
    }
    QCOMPARE(loopMessages, messages);
}

void ReaderTest::parameters_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QStringList>("calls");
    auto text = [](const char *t) { return QStringLiteral("appendText(bytes:%1)").arg(QLatin1String(t)); };
    QTest::newRow("negative") << QByteArray("\\li-360") << QStringList{QStringLiteral("setLeftIndent(-360)")};
    QTest::newRow("32-bit limit") << QByteArray("\\li2147483647") << QStringList{QStringLiteral("setLeftIndent(2147483647)")};
    QTest::newRow("32-bit negative limit") << QByteArray("\\li-2147483648")
                                           << QStringList{QStringLiteral("setLeftIndent(-2147483648)")};
    QTest::newRow("overflow gives 0") << QByteArray("\\li99999999999") << QStringList{QStringLiteral("setLeftIndent(0)")};
    QTest::newRow("lone minus gives 0") << QByteArray("\\li-") << QStringList{QStringLiteral("setLeftIndent(0)")};
    // A parameter is an optional '-' and digits: a '-' after that is text.
    QTest::newRow("second minus is text") << QByteArray("\\li--1")
                                          << QStringList{QStringLiteral("setLeftIndent(0)"), text("-1 ")};
    QTest::newRow("minus after a digit is text")
        << QByteArray("\\li1-1") << QStringList{QStringLiteral("setLeftIndent(1)"), text("-1 ")};
    QTest::newRow("dash after a size is kept")
        << QByteArray("\\fs24-b") << QStringList{QStringLiteral("setFontPointSize(12)"), text("-b ")};
    // pandoc writes every dash as \u8212- : the '-' is the fallback character.
    QTest::newRow("minus after a unicode value is its fallback")
        << QByteArray("one\\u8212-two")
        << QStringList{text("one"), QStringLiteral("appendText(string:U+2014)"), text("two ")};
    QTest::newRow("overflowing size is the default") << QByteArray("\\fs99999999999")
                                                     << QStringList{QStringLiteral("setFontPointSize(12)")};
    QTest::newRow("toggle with lone minus is off") << QByteArray("\\b-") << QStringList{QStringLiteral("setFontBold(0)")};
    QTest::newRow("just past the limit gives 0") << QByteArray("\\li2147483648") << QStringList{QStringLiteral("setLeftIndent(0)")};
    QTest::newRow("just past the negative limit gives 0")
        << QByteArray("\\li-2147483649") << QStringList{QStringLiteral("setLeftIndent(0)")};
    QTest::newRow("negative zero") << QByteArray("\\li-0") << QStringList{QStringLiteral("setLeftIndent(0)")};
    QTest::newRow("leading zeros do not overflow")
        << QByteArray("\\li-000000000000000000002147483648") << QStringList{QStringLiteral("setLeftIndent(-2147483648)")};
    QTest::newRow("a megabyte of leading zeros")
        << QByteArray("\\li") + QByteArray(1 << 20, '0') + "42" << QStringList{QStringLiteral("setLeftIndent(42)")};
    QTest::newRow("minus at the end is text")
        << QByteArray("\\li42-") << QStringList{QStringLiteral("setLeftIndent(42)"), text("- ")};
    QTest::newRow("parameter longer than a word's buffer")
        << QByteArray("\\li") + QByteArray(100, '1') << QStringList{QStringLiteral("setLeftIndent(0)")};
}

void ReaderTest::parameters()
{
    QFETCH(QByteArray, word);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + word + " }", &output));
    QCOMPARE(output.calls, calls);
}

void ReaderTest::hostileInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("openGroups");

    QTest::newRow("100000 nested groups, never closed")
        << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') << 100000;
    QTest::newRow("100000 nested groups, closed")
        << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + QByteArray(100000, '}') + '}' << 0;
    QTest::newRow("control word of 1 MB") << QByteArray("{\\rtf1 \\") + QByteArray(1 << 20, 'x') + " }" << 0;
    QTest::newRow("parameter of 1 MB") << QByteArray("{\\rtf1 \\fs") + QByteArray(1 << 20, '9') + " }" << 0;
    QTest::newRow("unicode skip of 1 MB")
        << QByteArray("{\\rtf1 \\uc") + QByteArray(1 << 20, '9') + "\\u8364 abc}" << 0;
    QTest::newRow("extreme unicode skip") << QByteArray("{\\rtf1 \\uc2147483647\\u8364 abc}") << 0;
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-2147483648 abc}") << 0;
    QTest::newRow("nested ignorable groups")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\*\\foo ").repeated(20000) + QByteArray(20000, '}') + '}' << 0;
    QTest::newRow("many destinations in one group")
        << QByteArray("{\\rtf1 {") + QByteArray("{}\\pgdsc ").repeated(20000) + "}}" << -1;

    QTest::newRow("bin with a huge length and no data") << QByteArray("{\\rtf1 a\\bin2147483647}") << 0;
    // The braces after a \bin word are its data: the groups stay open.
    QTest::newRow("bin with a huge length in a picture")
        << QByteArray("{\\rtf1 {\\pict\\bin2147483647 ab}}") << 1;
    QTest::newRow("bin at the 32-bit limit with 4 MB of data")
        << QByteArray("{\\rtf1 {\\pict\\pngblip\\bin2147483647 ") + QByteArray(4 << 20, '}') << 1;
    QTest::newRow("bin past the 32-bit limit is no data")
        << QByteArray("{\\rtf1 {\\pict\\bin4294967297 }}}") << 0;
    QTest::newRow("bin inside 10000 nested pictures")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\pict\\pngblip\\bin3 }{\\").repeated(10000)
            + QByteArray(10000, '}') + '}'
        << 0;
    QTest::newRow("bin at the 32-bit limit inside nested pictures")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\pict\\jpegblip 0a").repeated(1000) + "\\bin2147483647 "
            + QByteArray("}{\\bin").repeated(1000)
        << 1000;
    QTest::newRow("100000 bin words in the body")
        << QByteArray("{\\rtf1 ") + QByteArray("\\bin1 }x").repeated(100000) + '}' << 0;
    QTest::newRow("bin with a huge length at the end") << QByteArray("{\\rtf1 {\\pict\\bin2147483647") << 1;
    QTest::newRow("picture of 4 MB of hex digits")
        << QByteArray("{\\rtf1 {\\pict\\pngblip ") + QByteArray("0123456789abcdef\n").repeated(1 << 18) + "}}" << 0;
    QTest::newRow("hex digits in odd counts with junk between them")
        << QByteArray("{\\rtf1 {\\pict\\pngblip 8 95 zz04e4 7\\'0d0a{1a}0a 0 g h\\par 0}}") << 0;
    QTest::newRow("picture goals and scales at the 32-bit limits")
        << QByteArray("{\\rtf1 {\\pict\\pngblip\\picw2147483647\\pich-2147483648\\picwgoal2147483647"
                      "\\pichgoal-2147483648\\picscalex2147483647\\picscaley-2147483648 89504e47}"
                      "{\\pict\\picwgoal-2147483648\\pichgoal2147483647\\picscalex-2147483648"
                      "\\picscaley2147483647 0a}}")
        << 0;
    QTest::newRow("200000 fonts") << [] {
        QByteArray rtf = "{\\rtf1 {\\fonttbl";
        for (int i = 0; i < 200000; ++i)
            rtf += "{\\f" + QByteArray::number(i) + "\\fcharset204 F;}";
        return rtf + "}\\f2147483647 a\\f199999 b}";
    }() << 0;
    QTest::newRow("200000 colours") << QByteArray("{\\rtf1 {\\colortbl;") + QByteArray("\\red1\\green2\\blue3;").repeated(200000)
            + "}\\cf200000 a\\cf2147483647 b}"
                                     << 0;

    // The input ends inside each kind of destination group.
    const QByteArray truncated[] = {
        "{\\fonttbl{\\f0\\fcharset204 Ari",         "{\\colortbl;\\red255\\gre",
        "{\\stylesheet{\\s1\\b heading",           "{\\info{\\title The ti",
        "{\\info{\\creatim\\yr2024\\mo",          "{\\info{\\nofpages",
        "{\\*\\userprops{\\propname A}\\proptype3{\\staticval 1", "{\\pict\\pngblip 89504",
        "{\\*\\shppict{\\pict 0",                   "{\\*\\generator Wri",
        "{\\*\\unknown {x",                          "{\\pict\\",
    };
    for (const QByteArray &destination : truncated)
        QTest::addRow("ends inside %s", destination.constData()) << QByteArray("{\\rtf1 ") + destination << -1;

    // Random bytes after a valid header, with a fixed seed so a failure can
    // be reproduced.
    for (quint32 seed : {1u, 2u, 3u}) {
        QRandomGenerator random(seed);
        QByteArray bytes(200000, Qt::Uninitialized);
        for (char &c : bytes) {
            // Mostly RTF's own syntax characters, so the loop sees every
            // kind of token, nested and unbalanced.
            const quint32 r = random.bounded(16);
            static const char syntax[] = "{}\\\\*'uc0-9 ab\xe9";
            c = r < 15 ? syntax[r] : char(random.bounded(256));
        }
        QTest::addRow("random bytes, seed %u", seed) << QByteArray("{\\rtf1 ") + bytes << -1;
    }
}

void ReaderTest::hostileInput()
{
    QFETCH(QByteArray, content);
    QFETCH(int, openGroups);
    RecordingOutput output;
    output.maxCalls = 1000;
    QVERIFY(TestHelpers::parse(content, &output));
    // Every endGroup answers a startGroup.
    QVERIFY(!output.unbalancedEndGroup);
    QVERIFY(output.endGroups <= output.startGroups);
    if (openGroups >= 0)
        QCOMPARE(output.startGroups - output.endGroups, openGroups);
}

void ReaderTest::truncatedFixtures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("calls");
    const QString text = QStringLiteral("appendText(bytes:Hello )");
    QTest::newRow("inside a control word")
        << QStringLiteral("truncated-in-word.rtf")
        << QStringList{text, QStringLiteral("startGroup()")};
    QTest::newRow("inside a hex escape") << QStringLiteral("truncated-in-hex.rtf") << QStringList{text};
    QTest::newRow("inside a group")
        << QStringLiteral("truncated-in-group.rtf")
        << QStringList{text, QStringLiteral("startGroup()"), QStringLiteral("setFontItalic(1)"),
                       QStringLiteral("appendText(bytes:world)")};
}

void ReaderTest::truncatedFixtures()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, calls);
    Reader reader;
    QVERIFY(reader.open(TestHelpers::dataFile(fixture)));
    RecordingOutput output;
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(output.calls, calls);
}

QTEST_GUILESS_MAIN(ReaderTest)

#include "readertest.moc"

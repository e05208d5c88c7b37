// Tests of PlainTextRtfOutput: the text it writes for each structure of a
// document, into a device or a string, and how it writes it.

#include "testhelpers.h"

#include <tavisk/plaintextrtfoutput.h>
#include <tavisk/reader.h>

#include <QBuffer>
#include <QTest>

using Tavisk::PlainTextRtfOutput;

namespace
{
// A font table and a list table as Word 2016 writes them: a bullet list
// (levels with a bullet, "o" and a square) and a numbered list (1., a), i.).
const QByteArray header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                          "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fnil\\fcharset204 Arial Cyr;}"
                          "{\\f3\\fnil\\fcharset128 MS Mincho;}}\n";
const QByteArray lists =
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u-3913 ?;}"
    "{\\levelnumbers;}\\fi-360\\li720}{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01o;}{\\levelnumbers;}"
    "\\fi-360\\li1440}\\listid1}{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}{\\listlevel\\levelnfc4\\levelstartat1"
    "{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}\\fi-360\\li1440}\\listid2}}"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n";

QByteArray document(const QByteArray &body)
{
    return header + lists + body + "}";
}

struct Options {
    bool links = false;
    bool headers = false;
};

/// The text of @p rtf as the output appends it to a string.
QString textOf(const QByteArray &rtf, Options options = {})
{
    QString text;
    PlainTextRtfOutput output(&text);
    output.setShowLinkAddresses(options.links);
    output.setShowHeadersAndFooters(options.headers);
    if (!TestHelpers::parse(rtf, &output))
        return QStringLiteral("(not parsed)");
    return text;
}

/// The bytes the output writes into a device for @p rtf.
QByteArray bytesOf(const QByteArray &rtf)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    PlainTextRtfOutput output(&device);
    if (!TestHelpers::parse(rtf, &output))
        return "(not parsed)";
    return bytes;
}

/// A device that takes nothing: every write fails.
class FullDevice : public QIODevice
{
public:
    FullDevice() { open(QIODevice::WriteOnly); }
    int writes = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override
    {
        ++writes;
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};

/// An output that notes how much of the text reached its device before the
/// end of the parse.
class WatchedOutput : public PlainTextRtfOutput
{
public:
    WatchedOutput(QBuffer *device)
        : PlainTextRtfOutput(device)
        , m_device(device)
    {
    }
    qint64 writtenBeforeEnd = -1;
    void endParse() override
    {
        writtenBeforeEnd = m_device->size();
        PlainTextRtfOutput::endParse();
    }

private:
    QBuffer *m_device;
};
} // namespace

class PlainTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void options_data();
    void options();
    void deviceAndString_data();
    void deviceAndString();
    void utf8();
    void streamsBeforeTheEnd();
    void writeError();
    void notRtf();
    void secondParse();
};

void PlainTextTest::text_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    // Paragraphs and characters.
    QTest::newRow("paragraphs") << QByteArray("\\pard First\\par Second\\par") << QStringLiteral("First\nSecond\n");
    QTest::newRow("no paragraph end") << QByteArray("\\pard Only") << QStringLiteral("Only\n");
    QTest::newRow("empty") << QByteArray("") << QString();
    QTest::newRow("blank lines at the end") << QByteArray("Text\\par\\par\\par") << QStringLiteral("Text\n");
    QTest::newRow("blank line inside") << QByteArray("One\\par\\par Two\\par") << QStringLiteral("One\n\nTwo\n");
    QTest::newRow("line break") << QByteArray("One\\line Two\\par") << QStringLiteral("One\nTwo\n");
    QTest::newRow("line break at the end") << QByteArray("One\\line") << QStringLiteral("One\n");
    QTest::newRow("specials") << QByteArray("\\lquote a\\rquote  \\ldblquote b\\rdblquote  c\\endash d\\emdash e\\bullet"
                                            "\\tab f\\enspace g\\emspace h\\par")
                              << QStringLiteral("\u2018a\u2019 \u201Cb\u201D c\u2013d\u2014e\u2022\tf\u2002g\u2003h\n");
    QTest::newRow("no-break space and hyphens") << QByteArray("a\\~b c\\_d e\\-f\\par")
                                                << QStringLiteral("a\u00A0b c\u2011d e\u00ADf\n");
    QTest::newRow("control characters") << QByteArray("a\\u1?b\\'07c\\u127?d\\par") << QStringLiteral("abcd\n");
    QTest::newRow("carriage return and line feed") << QByteArray("a\\'0d\\'0ab\\'0dc\\par")
                                                   << QStringLiteral("a\nb\nc\n");
    QTest::newRow("hidden text") << QByteArray("Shown {\\v hidden }text\\par") << QStringLiteral("Shown text\n");
    QTest::newRow("hidden paragraph end") << QByteArray("One{\\v \\par }Two\\par") << QStringLiteral("OneTwo\n");
    QTest::newRow("picture") << QByteArray("Before {\\pict\\pngblip\\picw10\\pich10 89504e470d0a1a0a}after\\par")
                             << QStringLiteral("Before after\n");
    QTest::newRow("page break") << QByteArray("One\\page Two\\par\\page Three\\par")
                                << QStringLiteral("One\nTwo\nThree\n");
    QTest::newRow("section break") << QByteArray("One\\sect\\sectd\\sbknone Two\\par") << QStringLiteral("One\nTwo\n");

    // Code pages and Unicode.
    QTest::newRow("Windows-1252") << QByteArray("caf\\'e9 \\'93q\\'94\\par") << QStringLiteral("caf\u00E9 \u201Cq\u201D\n");
    QTest::newRow("Cyrillic font") << QByteArray("{\\f2 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}\\par")
                                   << QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442\n");
    QTest::newRow("Shift-JIS, two bytes") << QByteArray("{\\f3 \\'82\\'a0\\'82\\'a2}\\par")
                                          << QStringLiteral("\u3042\u3044\n");
    QTest::newRow("Unicode") << QByteArray("\\u8364?\\u-10179?\\u-8704?\\par") << QStringLiteral("\u20AC\U0001F600\n");

    // Lists.
    QTest::newRow("bullets") << QByteArray("{\\listtext\\pard\\plain\\f1 \\'b7\\tab}\\pard\\ls1 One\\par"
                                           "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}\\pard\\ls1 Two\\par"
                                           "{\\listtext\\pard\\plain o\\tab}\\pard\\ls1\\ilvl1 Inner\\par\\pard After\\par")
                             << QStringLiteral("\u2022 One\n\u2022 Two\n  \u25E6 Inner\nAfter\n");
    QTest::newRow("numbers") << QByteArray("{\\listtext 1.\\tab}\\pard\\ls2 One\\par{\\listtext a)\\tab}\\pard\\ls2\\ilvl1 "
                                           "Sub\\par{\\listtext 2.\\tab}\\pard\\ls2 Two\\par")
                             << QStringLiteral("1. One\n  a) Sub\n2. Two\n");
    QTest::newRow("numbers go on after a paragraph")
        << QByteArray("\\pard\\ls2 One\\par\\pard Between\\par\\pard\\ls2 Two\\par")
        << QStringLiteral("1. One\nBetween\n2. Two\n");
    QTest::newRow("Word 6 numbering") << QByteArray("{\\pntext 1.\\tab}\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart1"
                                                    "{\\pntxta .}}One\\par{\\pntext 2.\\tab}\\pard{\\*\\pn\\pnlvlbody"
                                                    "\\pndec\\pnstart1{\\pntxta .}}Two\\par")
                                      << QStringLiteral("1. One\n2. Two\n");
    QTest::newRow("marker without a list") << QByteArray("{\\pntext (iv)\\tab}\\pard Item\\par")
                                           << QStringLiteral("(iv)\tItem\n");

    // Tables.
    QTest::newRow("table") << QByteArray("Before\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl A\\cell B\\cell\\row"
                                         "\\trowd\\cellx2000\\cellx4000\\pard\\intbl C\\cell D\\cell\\row\\pard After\\par")
                           << QStringLiteral("Before\n\nA\tB\nC\tD\n\nAfter\n");
    QTest::newRow("table first") << QByteArray("\\trowd\\cellx2000\\pard\\intbl A\\cell\\row\\pard After\\par")
                                 << QStringLiteral("A\n\nAfter\n");
    QTest::newRow("paragraphs in a cell")
        << QByteArray("\\trowd\\cellx2000\\cellx4000\\pard\\intbl One\\par Two\\cell B\\cell\\row")
        << QStringLiteral("One\nTwo\tB\n");
    QTest::newRow("merged cells") << QByteArray("\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\cellx6000\\pard\\intbl "
                                                "Wide\\cell\\cell C\\cell\\row")
                                  << QStringLiteral("Wide\t\tC\n");
    QTest::newRow("short row") << QByteArray("\\trowd\\cellx2000\\cellx4000\\pard\\intbl A\\cell B\\cell\\row"
                                             "\\trowd\\cellx2000\\pard\\intbl C\\cell\\row")
                               << QStringLiteral("A\tB\nC\t\n");
    QTest::newRow("nested table") << QByteArray("\\trowd\\cellx3000\\cellx6000\\pard\\intbl Outer\\par"
                                                "\\pard\\intbl\\itap2 X\\nestcell Y\\nestcell{\\*\\nesttableprops\\trowd"
                                                "\\cellx1000\\cellx2000\\nestrow}{\\nonesttables\\par}"
                                                "\\pard\\intbl\\cell Two\\cell\\row")
                                  << QStringLiteral("Outer\n\nX\tY\n\tTwo\n");

    // Links, notes, comments, text boxes, headers.
    QTest::newRow("link") << QByteArray("See {\\field{\\*\\fldinst HYPERLINK \"https://example.org\"}"
                                        "{\\fldrslt {\\ul the site}}}.\\par")
                          << QStringLiteral("See the site.\n");
    QTest::newRow("field result") << QByteArray("Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}\\par")
                                  << QStringLiteral("Page 7\n");
    QTest::newRow("footnote") << QByteArray("Claim{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} The source.}.\\par")
                              << QStringLiteral("Claim[1].\n----\n[1] The source.\n");
    QTest::newRow("endnote and custom mark")
        << QByteArray("A{\\super\\chftn}{\\footnote\\ftnalt\\pard{\\super\\chftn} End.}"
                      " B{\\super *}{\\footnote\\pard{\\super *} Star.}\\par")
        << QStringLiteral("A[i] B[*]\n----\n[*] Star.\n[i] End.\n");
    QTest::newRow("comment") << QByteArray("Text{\\*\\atnid AB}{\\*\\atnauthor Ann}\\chatn{\\*\\annotation\\pard "
                                           "Check this.}\\par")
                             << QStringLiteral("Text\nComments\n[AB1] Ann: Check this.\n");
    QTest::newRow("text box") << QByteArray("Before {\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}"
                                            "{\\shptxt\\pard Boxed\\par}}{\\shprslt Fallback}} after\\par")
                              << QStringLiteral("Before \nBoxed\n after\n");
    QTest::newRow("header left out") << QByteArray("{\\header\\pard Head\\par}\\pard Body\\par")
                                     << QStringLiteral("Body\n");
}

void PlainTextTest::text()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);

    QCOMPARE(textOf(document(body)), expected);
}

void PlainTextTest::options_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("links");
    QTest::addColumn<bool>("headers");
    QTest::addColumn<QString>("expected");

    const QByteArray link = "See {\\field{\\*\\fldinst HYPERLINK \"https://example.org\"}{\\fldrslt the {\\b site}}}"
                            " and {\\field{\\*\\fldinst HYPERLINK \\\\l \"top\"}{\\fldrslt the top}}.\\par";
    QTest::newRow("link addresses") << link << true << false
                                    << QStringLiteral("See the site <https://example.org> and the top.\n");
    const QByteArray page = "{\\header\\pard Head\\par}{\\footer\\pard Page {\\field{\\*\\fldinst PAGE}}\\par}"
                            "\\pard Body\\par";
    // The footer follows an empty paragraph after the body's last, which a
    // final \\par leaves empty.
    QTest::newRow("header and footer") << page << false << true << QStringLiteral("Head\n\nBody\n\n\nPage 1\n");
    QTest::newRow("first-page header") << QByteArray("\\titlepg{\\headerf\\pard First\\par}{\\header\\pard Other\\par}"
                                                     "\\pard Body\\par")
                                       << false << true << QStringLiteral("First\n\nBody\n");
}

void PlainTextTest::options()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, links);
    QFETCH(bool, headers);
    QFETCH(QString, expected);

    QCOMPARE(textOf(document(body), Options{links, headers}), expected);
}

void PlainTextTest::deviceAndString_data()
{
    QTest::addColumn<QString>("fixture");

    for (const char *fixture : {"structure-lists-word.rtf", "structure-tables-nested.rtf", "structure-notes-word.rtf",
                                "codepage-shiftjis-word.rtf", "tool-sample.rtf"})
        QTest::newRow(fixture) << QString::fromLatin1(fixture);
}

// The device gets the UTF-8 of the text the string gets.
void PlainTextTest::deviceAndString()
{
    QFETCH(QString, fixture);

    const QByteArray rtf = TestHelpers::readFile(TestHelpers::dataFile(fixture));
    const QString text = textOf(rtf);
    QVERIFY(!text.isEmpty());
    QCOMPARE(bytesOf(rtf), text.toUtf8());
}

void PlainTextTest::utf8()
{
    QCOMPARE(bytesOf(document("{\\f2 \\'cf\\'f0}\\u8364?\\u-10179?\\u-8704?\\par")),
             QByteArray("\xd0\x9f\xd1\x80\xe2\x82\xac\xf0\x9f\x98\x80\n"));
    // A surrogate without its partner cannot be UTF-8: it is written as
    // '?', as QString::toUtf8() writes it. (The reader hands over none;
    // another caller may.)
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    PlainTextRtfOutput output(&device);
    output.beginParse();
    output.appendText(QString(QChar(0xD83D)));
    output.appendText(QStringLiteral("b"));
    output.endParse();
    QCOMPARE(bytes, QByteArray("?b\n"));
}

// The text goes out as the paragraphs end, not all at the end.
void PlainTextTest::streamsBeforeTheEnd()
{
    QByteArray body;
    for (int i = 0; i < 4000; ++i)
        body += "\\pard A paragraph of the text that goes out while the rest is still being read.\\par\n";
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    WatchedOutput output(&device);
    QVERIFY(TestHelpers::parse(document(body), &output));
    QVERIFY2(output.writtenBeforeEnd > 0, "nothing was written before the end of the parse");
    QVERIFY(output.writtenBeforeEnd < bytes.size());
    QCOMPARE(bytes.count('\n'), 4000);
}

void PlainTextTest::writeError()
{
    QByteArray body;
    for (int i = 0; i < 20000; ++i)
        body += "\\pard Text that a full disk does not take.\\par\n";
    FullDevice device;
    PlainTextRtfOutput output(&device);
    QVERIFY(!output.hasWriteError());
    // The reading goes on; the text stops at the first failed write.
    QVERIFY(TestHelpers::parse(document(body), &output));
    QVERIFY(output.hasWriteError());
    QCOMPARE(device.writes, 1);
}

void PlainTextTest::notRtf()
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    PlainTextRtfOutput output(&device);
    QVERIFY(!TestHelpers::parse("Just text, not RTF.\n", &output));
    QVERIFY(bytes.isEmpty());
    QVERIFY(!output.hasWriteError());
}

// Each parse writes one document's text, from a fresh start: fonts, lists
// and notes of the first do not reach the second.
void PlainTextTest::secondParse()
{
    QString text;
    PlainTextRtfOutput output(&text);
    QVERIFY(TestHelpers::parse(document("\\pard\\ls2 One\\par Note{\\super\\chftn}{\\footnote\\pard Noted.}\\par"),
                               &output));
    QVERIFY(TestHelpers::parse("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Cyr;}}\\f0 \\'cf\\par}", &output));
    QCOMPARE(text, QStringLiteral("1. One\nNote[1]\n----\n[1] Noted.\n\u041F\n"));
}

QTEST_GUILESS_MAIN(PlainTextTest)

#include "plaintexttest.moc"

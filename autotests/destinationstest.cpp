// Tests of the destination handlers: each is driven through a Reader from a
// small RTF text, and the calls that reach a recording output are compared.

#include "recordingoutput.h"
#include "testhelpers.h"

#include "destinations/commentpartdestination.h"
#include "destinations/destination.h"
#include "destinations/fielddestination.h"

#include <QTest>

using namespace Tavisk;

class DestinationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- document body ----
    void plainDestinationLogsText();
    void hasName();
    void bodyWords_data();
    void bodyWords();
    void unicodeFallback_data();
    void codePageWords_data();
    void codePageWords();
    void unicodeFallback();
    void unhandledWordMessages_data();
    void unhandledWordMessages();

    // ---- font and colour tables ----
    void fontTable_data();
    void fontTable();
    void fontTableFamilyAndPitch();
    void fontTableMessages_data();
    void fontTableMessages();
    void colourTable_data();
    void colourTable();
    void colourTableMessages_data();
    void colourTableMessages();

    // ---- style sheet, pictures and information group ----
    void destinationTable_data();
    void destinationTable();
    void styleSheet_data();
    void styleSheet();
    void styleSheetMessages();
    void picture_data();
    void picture();
    void pictureHexData_data();
    void pictureHexData();
    void pictureBinaryData_data();
    void pictureBinaryData();
    void pictureReadsOnlyTheHeader();
    void pictureNumbering();
    void unknownPictureFormat();
    void pictureCutOffByEndOfFile();
    void pictureMessages();
    void pictureNamesDistinctAcrossThreads();
    void infoCounts_data();
    void infoCounts();
    void infoMessages();
    void infoDateTime_data();
    void infoDateTime();
    void infoDateTimeMessages();
    void infoText_data();
    void infoText();
    void infoTextMessages();
    void userProps_data();
    void userProps();
    void userPropsMessages();
    void userPropsValueInManyRuns();
    void metadataFixture();
    void pictureInTextDocument();
    void binaryPictureInTextDocument();

    // ---- lists ----
    void listTable_data();
    void listTable();
    void listOverrideTable_data();
    void listOverrideTable();
    void listParagraphs_data();
    void listParagraphs();
    void tableWords_data();
    void tableWords();
    void tableFixtures_data();
    void tableFixtures();

    // Fields, notes, comments, headers and footers, text boxes
    void structure_data();
    void structure();
    void hyperlinkInstruction_data();
    void hyperlinkInstruction();
    void commentDate_data();
    void commentDate();
};

// ---- document body ----

void DestinationsTest::plainDestinationLogsText()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1 {\\pgdsc \\b abc}}", &output));
    QCOMPARE(output.calls, (QStringList{QStringLiteral("startGroup()"), QStringLiteral("endGroup()")}));
    QCOMPARE(log.messagesStartingWith(QStringLiteral("plain text:")),
             QStringList{QStringLiteral("plain text: \"abc\" in \"pgdsc\"")});
}

void DestinationsTest::hasName()
{
    RecordingOutput output;
    Destination destination(&output, QStringLiteral("rtf"));
    QCOMPARE(destination.name(), QStringLiteral("rtf"));
    QVERIFY(destination.hasName(QStringLiteral("rtf")));
    QVERIFY(!destination.hasName(QStringLiteral("RTF")));
    QVERIFY(!destination.hasName(QStringLiteral("rtf ")));
}

void DestinationsTest::bodyWords_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("calls");

    auto row = [](const char *name, const QByteArray &body, const QStringList &calls) {
        QTest::newRow(name) << body << calls;
    };
    auto one = [](const char *call) { return QStringList{QString::fromLatin1(call)}; };

    row("par", "\\par", one("insertPar()"));
    row("tab", "\\tab", one("insertTab()"));
    row("quotes", "\\lquote\\rquote\\ldblquote\\rdblquote",
        QStringList{QStringLiteral("insertLeftQuote()"), QStringLiteral("insertRightQuote()"),
                    QStringLiteral("insertLeftDoubleQuote()"), QStringLiteral("insertRightDoubleQuote()")});
    row("dashes and spaces", "\\endash\\emdash\\enspace\\emspace\\bullet",
        QStringList{QStringLiteral("insertEnDash()"), QStringLiteral("insertEmDash()"),
                    QStringLiteral("insertEnSpace()"), QStringLiteral("insertEmSpace()"),
                    QStringLiteral("insertBullet()")});
    row("pard", "\\pard", one("resetParagraphFormat()"));
    row("plain", "\\plain", one("resetCharacterProperties()"));
    row("bold toggles", "\\b text\\b0 more\\b2",
        QStringList{QStringLiteral("setFontBold(1)"), QStringLiteral("appendText(bytes:text)"),
                    QStringLiteral("setFontBold(0)"), QStringLiteral("appendText(bytes:more)"),
                    QStringLiteral("setFontBold(1)")});
    row("italic and underline", "\\i\\ul0",
        QStringList{QStringLiteral("setFontItalic(1)"), QStringLiteral("setFontUnderline(0)")});
    row("capitals match nothing", "\\B\\ULNONE", QStringList());
    row("font size in half-points", "\\fs23\\fs-5\\fs1",
        QStringList{QStringLiteral("setFontPointSize(11)"), QStringLiteral("setFontPointSize(-2)"),
                    QStringLiteral("setFontPointSize(0)")});
    row("font size default", "\\fs\\fs0",
        QStringList{QStringLiteral("setFontPointSize(12)"), QStringLiteral("setFontPointSize(12)")});
    row("colours", "\\cf2\\cbpat3\\highlight4\\cf",
        QStringList{QStringLiteral("setForegroundColour(2)"), QStringLiteral("setParagraphPatternBackgroundColour(3)"),
                    QStringLiteral("setHighlightColour(4)"), QStringLiteral("setForegroundColour(0)")});
    row("text shading is a background colour", "\\cb5\\chcbpat6",
        QStringList{QStringLiteral("setHighlightColour(5)"), QStringLiteral("setHighlightColour(6)")});
    row("fonts", "\\deff1\\f2\\deff\\f",
        QStringList{QStringLiteral("setDefaultFont(1)"), QStringLiteral("setFont(2)"), QStringLiteral("setFont(0)")});
    row("super and sub ignore the parameter", "\\super0\\sub\\nosupersub",
        QStringList{QStringLiteral("setFontSuperscript()"), QStringLiteral("setFontSubscript()"),
                    QStringLiteral("setFontNormalScript()")});
    row("alignment", "\\ql\\qj\\qc\\qr",
        QStringList{QStringLiteral("setParagraphAlignmentLeft()"), QStringLiteral("setParagraphAlignmentJustified()"),
                    QStringLiteral("setParagraphAlignmentCentred()"), QStringLiteral("setParagraphAlignmentRight()")});
    row("indents need a parameter", "\\fi-360\\li720\\ri10\\fi\\li\\ri",
        QStringList{QStringLiteral("setFirstLineIndent(-360)"), QStringLiteral("setLeftIndent(720)"),
                    QStringLiteral("setRightIndent(10)")});
    row("spacing defaults to 0", "\\sb120\\sa\\sb",
        QStringList{QStringLiteral("setSpaceBefore(120)"), QStringLiteral("setSpaceAfter(0)"),
                    QStringLiteral("setSpaceBefore(0)")});
    row("direction", "\\ltrch\\rtlch",
        QStringList{QStringLiteral("setTextDirectionLeftToRight()"), QStringLiteral("setTextDirectionRightToLeft()")});
    row("page size", "\\paperh15840\\paperw12240",
        QStringList{QStringLiteral("setPageHeight(15840)"), QStringLiteral("setPageWidth(12240)")});
    row("strike-out", "\\strike\\strike0\\strike3",
        QStringList{QStringLiteral("setFontStrikeout(true)"), QStringLiteral("setFontStrikeout(false)"),
                    QStringLiteral("setFontStrikeout(true)")});
    row("line is a line feed", "a\\line b",
        QStringList{QStringLiteral("appendText(bytes:a)"), QStringLiteral("appendText(string:U+000A)"),
                    QStringLiteral("appendText(bytes:b)")});
    row("no-break space, non-breaking and soft hyphen", "\\~\\_\\-",
        QStringList{QStringLiteral("appendText(string:U+00A0)"), QStringLiteral("appendText(string:U+2011)"),
                    QStringLiteral("appendText(string:U+00AD)")});

    // Character and paragraph formats, continued. The underline kinds are
    // numbered as in UnderlineStyle, the tab alignments and leaders as in
    // TabAlignment and TabLeader.
    row("ulnone ends any underline", "\\uldb x\\ulnone",
        QStringList{QStringLiteral("setFontUnderlineStyle(3)"), QStringLiteral("appendText(bytes:x)"),
                    QStringLiteral("setFontUnderline(0)")});
    row("underline kinds",
        "\\ulw\\uldb\\ulth\\uld\\ulthd\\uldash\\ulthdash\\ulldash\\ulthldash\\uldashd\\ulthdashd"
        "\\uldashdd\\ulthdashdd\\ulwave\\ulhwave\\ululdbwave\\ulhair",
        QStringList{QStringLiteral("setFontUnderlineStyle(2)"), QStringLiteral("setFontUnderlineStyle(3)"),
                    QStringLiteral("setFontUnderlineStyle(4)"), QStringLiteral("setFontUnderlineStyle(5)"),
                    QStringLiteral("setFontUnderlineStyle(6)"), QStringLiteral("setFontUnderlineStyle(7)"),
                    QStringLiteral("setFontUnderlineStyle(8)"), QStringLiteral("setFontUnderlineStyle(9)"),
                    QStringLiteral("setFontUnderlineStyle(10)"), QStringLiteral("setFontUnderlineStyle(11)"),
                    QStringLiteral("setFontUnderlineStyle(12)"), QStringLiteral("setFontUnderlineStyle(13)"),
                    QStringLiteral("setFontUnderlineStyle(14)"), QStringLiteral("setFontUnderlineStyle(15)"),
                    QStringLiteral("setFontUnderlineStyle(16)"), QStringLiteral("setFontUnderlineStyle(17)"),
                    QStringLiteral("setFontUnderlineStyle(18)")});
    row("underline colour", "\\ulc2\\ulc",
        QStringList{QStringLiteral("setUnderlineColour(2)"), QStringLiteral("setUnderlineColour(0)")});
    row("underline kinds switched off with 0", "\\uldb0\\ulwave0\\ulw2",
        QStringList{QStringLiteral("setFontUnderlineStyle(0)"), QStringLiteral("setFontUnderlineStyle(0)"),
                    QStringLiteral("setFontUnderlineStyle(2)")});
    row("double strike-out", "\\striked1\\striked0",
        QStringList{QStringLiteral("setFontStrikeout(true)"), QStringLiteral("setFontStrikeout(false)")});
    row("capitals and small capitals", "\\caps\\caps0\\scaps\\scaps0",
        QStringList{QStringLiteral("setFontAllCapitals(true)"), QStringLiteral("setFontAllCapitals(false)"),
                    QStringLiteral("setFontSmallCapitals(true)"), QStringLiteral("setFontSmallCapitals(false)")});
    row("raised and lowered, 3 points without a number", "\\up\\up4\\up0\\dn\\dn3\\dn-2\\dn-2147483648",
        QStringList{QStringLiteral("setFontBaselineShift(6)"), QStringLiteral("setFontBaselineShift(4)"),
                    QStringLiteral("setFontBaselineShift(0)"), QStringLiteral("setFontBaselineShift(-6)"),
                    QStringLiteral("setFontBaselineShift(-3)"), QStringLiteral("setFontBaselineShift(2)"),
                    QStringLiteral("setFontBaselineShift(2147483647)")});
    row("hidden text", "\\v a\\v0 b",
        QStringList{QStringLiteral("setFontHidden(true)"), QStringLiteral("appendText(bytes:a)"),
                    QStringLiteral("setFontHidden(false)"), QStringLiteral("appendText(bytes:b)")});
    row("line spacing from sl and slmult", "\\sl276\\slmult1\\pard\\sl-240\\slmult0\\sl",
        QStringList{QStringLiteral("setLineSpacing(276,false)"), QStringLiteral("setLineSpacing(276,true)"),
                    QStringLiteral("resetParagraphFormat()"), QStringLiteral("setLineSpacing(-240,false)"),
                    QStringLiteral("setLineSpacing(-240,false)"), QStringLiteral("setLineSpacing(0,false)")});
    row("slmult stays until pard", "\\slmult1\\sl360\\par\\sl480\\pard\\sl480",
        QStringList{QStringLiteral("setLineSpacing(0,true)"), QStringLiteral("setLineSpacing(360,true)"),
                    QStringLiteral("insertPar()"), QStringLiteral("setLineSpacing(480,true)"),
                    QStringLiteral("resetParagraphFormat()"), QStringLiteral("setLineSpacing(480,false)")});
    // As Word writes a right tab with dots for a table of contents.
    row("tab stops with alignment and leader",
        "\\tx720\\tqr\\tldot\\tx9000\\tqc\\tx4500\\tqdec\\tlhyph\\tx5000\\tlmdot\\tlul\\tlth\\tleq\\tx100",
        QStringList{QStringLiteral("addTabStop(720,0,0)"), QStringLiteral("addTabStop(9000,2,1)"),
                    QStringLiteral("addTabStop(4500,1,0)"), QStringLiteral("addTabStop(5000,3,3)"),
                    QStringLiteral("addTabStop(100,0,6)")});
    row("bar tab takes the alignment and is no stop", "\\tqr\\tldot\\tb200\\tx300",
        QStringList{QStringLiteral("addTabStop(300,0,0)")});
    row("pard forgets a pending tab alignment", "\\tqr\\pard\\tx720",
        QStringList{QStringLiteral("resetParagraphFormat()"), QStringLiteral("addTabStop(720,0,0)")});
    row("tx needs a number", "\\tqr\\tx\\tx10", QStringList{QStringLiteral("addTabStop(10,0,0)")});
    row("pagination", "\\keep\\keepn\\pagebb\\keepn0\\pagebb0\\page",
        QStringList{QStringLiteral("setKeepTogether(true)"), QStringLiteral("setKeepWithNext(true)"),
                    QStringLiteral("setPageBreakBefore(true)"), QStringLiteral("setKeepWithNext(false)"),
                    QStringLiteral("setPageBreakBefore(false)"), QStringLiteral("insertPageBreak()")});
    row("paragraph direction", "\\rtlpar\\ltrpar",
        QStringList{QStringLiteral("setParagraphDirectionRightToLeft()"),
                    QStringLiteral("setParagraphDirectionLeftToRight()")});
    row("paragraph style, 0 without a number", "\\s2\\s",
        QStringList{QStringLiteral("setParagraphStyle(2)"), QStringLiteral("setParagraphStyle(0)")});
    row("field result is body text", "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}",
        QStringList{QStringLiteral("startGroup()"), QStringLiteral("startGroup()"), QStringLiteral("endGroup()"),
                    QStringLiteral("startGroup()"), QStringLiteral("beginField(HYPERLINK x)"),
                    QStringLiteral("beginLink(x,)"), QStringLiteral("appendText(bytes:link)"),
                    QStringLiteral("endGroup()"), QStringLiteral("endGroup()"), QStringLiteral("endLink()"),
                    QStringLiteral("endField()")});
}

void DestinationsTest::bodyWords()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1 " + body + "}", &output));
    QCOMPARE(output.calls, calls);
}

void DestinationsTest::unicodeFallback_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("calls");

    const QString euro = QStringLiteral("appendText(string:U+20AC)");
    auto text = [](const char *t) { return QStringLiteral("appendText(bytes:%1)").arg(QLatin1String(t)); };

    QTest::newRow("fallback dropped") << QByteArray("\\u8364?x") << QStringList{euro, text("x")};
    QTest::newRow("two escaped fallback bytes")
        << QByteArray("\\uc2\\u8364\\'80\\'81x") << QStringList{euro, text("x")};
    QTest::newRow("uc0 keeps the text") << QByteArray("\\uc0\\u8364?") << QStringList{euro, text("?")};
    QTest::newRow("negative uc skips nothing") << QByteArray("\\uc-1\\u8364?") << QStringList{euro, text("?")};
    QTest::newRow("a brace ends the fallback")
        << QByteArray("{\\u8364}abc")
        << QStringList{QStringLiteral("startGroup()"), euro, QStringLiteral("endGroup()"), text("abc")};
    QTest::newRow("an opening brace ends the fallback")
        << QByteArray("\\u8364{x}") << QStringList{euro, QStringLiteral("startGroup()"), text("x"), QStringLiteral("endGroup()")};
    QTest::newRow("a control word is one fallback character")
        << QByteArray("\\u8364\\par\\~?x")
        << QStringList{euro, QStringLiteral("appendText(string:U+00A0)"), text("?x")};
    QTest::newRow("a hex escape is one fallback character")
        << QByteArray("\\u8364\\'80x") << QStringList{euro, text("x")};
    QTest::newRow("escaped brace is one fallback character")
        << QByteArray("\\u8364\\{x") << QStringList{euro, text("x")};
    QTest::newRow("list text: the second tab is the fallback")
        << QByteArray("{\\tab \\u8226 \\tab}First")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("insertTab()"),
                       QStringLiteral("appendText(string:U+2022)"), QStringLiteral("endGroup()"), text("First")};
    QTest::newRow("uc belongs to the group")
        << QByteArray("\\uc1 {\\uc2 x}\\u233 cHere")
        << QStringList{QStringLiteral("startGroup()"), text("x"), QStringLiteral("endGroup()"),
                       QStringLiteral("appendText(string:U+00E9)"), text("Here")};
    QTest::newRow("a group inherits uc")
        << QByteArray("\\uc2 {\\u233 abc}")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("appendText(string:U+00E9)"), text("c"),
                       QStringLiteral("endGroup()")};
    QTest::newRow("huge uc stops at the brace")
        << QByteArray("{\\uc2147483647\\u233 abc\\b def}ghi")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("appendText(string:U+00E9)"),
                       QStringLiteral("endGroup()"), text("ghi")};
    QTest::newRow("negative value") << QByteArray("\\u-3913?") << QStringList{QStringLiteral("appendText(string:U+F0B7)")};
    QTest::newRow("low 16 bits") << QByteArray("\\u65601?") << QStringList{QStringLiteral("appendText(string:U+0041)")};
    QTest::newRow("surrogate pair joined")
        << QByteArray("\\u-10179?\\u-8704?") << QStringList{QStringLiteral("appendText(string:U+D83D U+DE00)")};
    QTest::newRow("surrogate pair with uc0")
        << QByteArray("\\uc0\\u55357\\u56832 x") << QStringList{QStringLiteral("appendText(string:U+D83D U+DE00)"), text("x")};
    QTest::newRow("lone high surrogate before text")
        << QByteArray("\\u-10179?x") << QStringList{QStringLiteral("appendText(string:U+FFFD)"), text("x")};
    QTest::newRow("lone high surrogate before a word")
        << QByteArray("\\u-10179?\\par") << QStringList{QStringLiteral("appendText(string:U+FFFD)"), QStringLiteral("insertPar()")};
    QTest::newRow("lone high surrogate at the end")
        << QByteArray("\\u-10179?") << QStringList{QStringLiteral("appendText(string:U+FFFD)")};
    QTest::newRow("two high surrogates")
        << QByteArray("\\u-10179?\\u-10179?\\u-8704?")
        << QStringList{QStringLiteral("appendText(string:U+FFFD)"), QStringLiteral("appendText(string:U+D83D U+DE00)")};
    QTest::newRow("lone low surrogate") << QByteArray("\\u-8704?x")
                                        << QStringList{QStringLiteral("appendText(string:U+FFFD)"), text("x")};
    QTest::newRow("control characters dropped")
        << QByteArray("a\\u0?\\u7?\\u31?\\u127?b") << QStringList{text("a"), text("b")};
    QTest::newRow("tab kept") << QByteArray("\\u9?") << QStringList{QStringLiteral("appendText(string:U+0009)")};
    QTest::newRow("u without parameter") << QByteArray("\\u ?") << QStringList{text("?")};
    QTest::newRow("skip counts bytes, not characters")
        << QByteArray("\\uc3\\u8364 ab") << QStringList{euro};
}

void DestinationsTest::codePageWords_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("codePage");

    QTest::newRow("ansicpg") << QByteArray("\\ansi\\ansicpg1251 x") << QStringList{QStringLiteral("setDocumentCodePage(1251)"), QStringLiteral("appendText(bytes:x)")} << 1251;
    QTest::newRow("mac") << QByteArray("\\mac") << QStringList{QStringLiteral("setDocumentCodePage(10000)")} << 10000;
    QTest::newRow("pc") << QByteArray("\\pc") << QStringList{QStringLiteral("setDocumentCodePage(437)")} << 437;
    QTest::newRow("pca") << QByteArray("\\pca") << QStringList{QStringLiteral("setDocumentCodePage(850)")} << 850;
    QTest::newRow("mac then ansicpg") << QByteArray("\\mac\\ansicpg10001")
                                      << QStringList{QStringLiteral("setDocumentCodePage(10000)"), QStringLiteral("setDocumentCodePage(10001)")}
                                      << 10001;
    QTest::newRow("ansicpg without a number") << QByteArray("\\ansicpg x") << QStringList{QStringLiteral("appendText(bytes:x)")} << 0;
    QTest::newRow("ansi alone names none") << QByteArray("\\ansi") << QStringList{} << 0;
}

void DestinationsTest::codePageWords()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, calls);
    QFETCH(int, codePage);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + body + "}", &output));
    QCOMPARE(output.calls, calls);
    QCOMPARE(output.documentCodePage(), codePage);
}

void DestinationsTest::unicodeFallback()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1 " + body + "}", &output));
    QCOMPARE(output.calls, calls);
}

void DestinationsTest::unhandledWordMessages_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("ordinary word") << QByteArray("\\ansi")
                                   << QStringList{QStringLiteral("unhandled control word in DocumentDestination: \"ansi\"")};
    QTest::newRow("destination word") << QByteArray("{\\xe x}")
                                      << QStringList{QStringLiteral(
                                             "unhandled *Destination* control word in DocumentDestination: \"xe\"")};
    QTest::newRow("word whose condition fails") << QByteArray("\\li")
                                                << QStringList{QStringLiteral(
                                                       "unhandled control word in DocumentDestination: \"li\"")};
    QTest::newRow("malformed hex escape") << QByteArray("\\'zz")
                                          << QStringList{QStringLiteral(
                                                 "unhandled control word in DocumentDestination: \"'\"")};
}

void DestinationsTest::unhandledWordMessages()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, messages);
    TestHelpers::LogCapture log;
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1 " + body + "}", &output));
    QCOMPARE(log.messagesStartingWith(QStringLiteral("unhandled")), messages);
}


// ---- font and colour tables ----

namespace
{
// The calls of @p output whose text starts with @p prefix.
QStringList fontColourCalls(const RecordingOutput &output, const QString &prefix)
{
    QStringList result;
    for (const QString &call : output.calls) {
        if (call.startsWith(prefix))
            result.append(call);
    }
    return result;
}
} // namespace

void DestinationsTest::fontTable_data()
{
    QTest::addColumn<QByteArray>("fontTable");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("families and code pages")
        << QByteArray("{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset2 Symbol;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,Times New Roman,Windows-1252)"),
                       QStringLiteral("insertFontTableEntry(1,Symbol,)")};
    QTest::newRow("encoding carries over to the next font")
        << QByteArray("{\\fonttbl{\\f0\\fcharset204 A;}{\\f1 B;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,A,Windows-1251)"),
                       QStringLiteral("insertFontTableEntry(1,B,Windows-1251)")};
    QTest::newRow("first font without charset") << QByteArray("{\\fonttbl{\\f0 Arial;}}")
                                                << QStringList{QStringLiteral("insertFontTableEntry(0,Arial,)")};
    QTest::newRow("unknown charset keeps the encoding")
        << QByteArray("{\\fonttbl{\\f0\\fcharset161 A;}{\\f1\\fcharset99 B;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,A,Windows-1253)"),
                       QStringLiteral("insertFontTableEntry(1,B,Windows-1253)")};
    QTest::newRow("Asian code pages")
        << QByteArray("{\\fonttbl{\\f0\\fcharset128 J;}{\\f1\\fcharset134 C;}{\\f2\\fcharset129 K;}{\\f3\\fcharset136 T;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,J,Shift-JIS)"), QStringLiteral("insertFontTableEntry(1,C,GB2312)"),
                       QStringLiteral("insertFontTableEntry(2,K,CP949)"), QStringLiteral("insertFontTableEntry(3,T,Big5)")};
    QTest::newRow("Thai is code page 874") << QByteArray("{\\fonttbl{\\f0\\fcharset222 Tahoma;}}")
                                           << QStringList{QStringLiteral("insertFontTableEntry(0,Tahoma,Windows-874)")};
    QTest::newRow("font without \\f reuses the number before")
        << QByteArray("{\\fonttbl{\\f3 A;}{\\froman B;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(3,A,)"), QStringLiteral("insertFontTableEntry(3,B,)")};
    QTest::newRow("\\f without number is font 0") << QByteArray("{\\fonttbl{\\f A;}}")
                                                  << QStringList{QStringLiteral("insertFontTableEntry(0,A,)")};
    QTest::newRow("no terminating semicolon") << QByteArray("{\\fonttbl{\\f0 Arial}}") << QStringList();
    QTest::newRow("embedded delimiter drops the run") << QByteArray("{\\fonttbl{\\f0 A;B;}}") << QStringList();
    QTest::newRow("semicolon inside a name") << QByteArray("{\\fonttbl{\\f0 A;B\\'e9;}}")
                                             << QStringList{QStringLiteral("insertFontTableEntry(0,A;B\u00e9,)")};
    QTest::newRow("accented name in Windows-1252")
        << QByteArray("{\\fonttbl{\\f2\\fcharset0 Caf\\'e9;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(2,Caf\u00e9,Windows-1252)")};
    QTest::newRow("accented name without charset")
        << QByteArray("{\\fonttbl{\\f2 Caf\\'e9;}}") << QStringList{QStringLiteral("insertFontTableEntry(2,Caf\u00e9,)")};
    QTest::newRow("Shift-JIS name from escapes")
        << QByteArray("{\\fonttbl{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(1,\uff2d\uff33,Shift-JIS)")};
    QTest::newRow("Cyrillic name")
        << QByteArray("{\\fonttbl{\\f1\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(1,\u0410\u0440\u0438\u0430\u043b,Windows-1251)")};
    QTest::newRow("cpg sets the code page")
        << QByteArray("{\\fonttbl{\\f0\\cpg1251 \\'c0;}}") << QStringList{QStringLiteral("insertFontTableEntry(0,\u0410,Windows-1251)")};
    QTest::newRow("cpg wins over fcharset, in either order")
        << QByteArray("{\\fonttbl{\\f0\\fcharset0\\cpg932 A;}{\\f1\\cpg1253\\fcharset204 B;}{\\f2\\fcharset238 C;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,A,Shift-JIS)"), QStringLiteral("insertFontTableEntry(1,B,Windows-1253)"),
                       QStringLiteral("insertFontTableEntry(2,C,Windows-1250)")};
    QTest::newRow("unknown cpg changes nothing")
        << QByteArray("{\\fonttbl{\\f0\\fcharset204\\cpg77777 A;}}") << QStringList{QStringLiteral("insertFontTableEntry(0,A,Windows-1251)")};
    QTest::newRow("Mac character sets")
        << QByteArray("{\\fonttbl{\\f0\\fcharset77 A;}{\\f1\\fcharset78 B;}{\\f2\\fcharset85 C;}{\\f3\\fcharset89 D;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,A,Macintosh)"), QStringLiteral("insertFontTableEntry(1,B,Shift-JIS)"),
                       QStringLiteral("insertFontTableEntry(2,C,x-mac-greek)"), QStringLiteral("insertFontTableEntry(3,D,x-mac-cyrillic)")};
    QTest::newRow("name in the document's code page")
        << QByteArray("\\ansicpg1251{\\fonttbl{\\f1 \\'c0\\'f0\\'e8\\'e0\\'eb;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(1,\u0410\u0440\u0438\u0430\u043b,)")};
    QTest::newRow("name around an ignored group")
        << QByteArray("{\\fonttbl{\\f0 Ari{\\*\\falt Helvetica}al;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,Arial,)")};
    QTest::newRow("unterminated name does not leak into the next font")
        << QByteArray("{\\fonttbl{\\f0 Arial}{\\f1 Times;}}") << QStringList{QStringLiteral("insertFontTableEntry(1,Times,)")};
    QTest::newRow("names start afresh after each font")
        << QByteArray("{\\fonttbl{\\f0 Arial;}{\\f1 Times;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,Arial,)"), QStringLiteral("insertFontTableEntry(1,Times,)")};
    QTest::newRow("font without name text keeps the name before")
        << QByteArray("{\\fonttbl{\\f0 Arial;}{\\f1;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,Arial,)"), QStringLiteral("insertFontTableEntry(1,Arial,)")};
    QTest::newRow("fonts without groups") << QByteArray("{\\fonttbl\\f0 A;\\f1 B;}")
                                          << QStringList{QStringLiteral("insertFontTableEntry(0,A,)"),
                                                         QStringLiteral("insertFontTableEntry(1,B,)")};
    // A damaged file: a NUL and a bell inside a name.
    QTest::newRow("control characters leave the name")
        << QByteArray("{\\fonttbl{\\f0 Times\\'00 New\\'07 Roman;}}")
        << QStringList{QStringLiteral("insertFontTableEntry(0,Times New Roman,)")};
}

void DestinationsTest::fontTable()
{
    QFETCH(QByteArray, fontTable);
    QFETCH(QStringList, expected);

    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + fontTable + "}", &output));
    QCOMPARE(fontColourCalls(output, QStringLiteral("insertFontTableEntry")), expected);
    // The table's own words never reach the body.
    QVERIFY(fontColourCalls(output, QStringLiteral("setFont")).isEmpty());
    QVERIFY(fontColourCalls(output, QStringLiteral("appendText")).isEmpty());
}

void DestinationsTest::fontTableFamilyAndPitch()
{
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1{\\fonttbl"
                               "{\\f0\\fnil A;}{\\f1\\froman\\fprq2 B;}{\\f2\\fswiss C;}{\\f3\\fmodern\\fprq1 D;}"
                               "{\\f4\\fscript E;}{\\f5\\fdecor F;}{\\f6\\ftech G;}{\\f7\\fbidi\\fprq300 H;}}}",
                               &output));
    QCOMPARE(output.fonts.size(), 8);
    const FontFamily families[] = {FontFamily::Nil,    FontFamily::Roman, FontFamily::Swiss, FontFamily::Modern,
                                   FontFamily::Script, FontFamily::Decor, FontFamily::Tech,  FontFamily::Bidi};
    // The pitch carries over until the next \fprq; 300 keeps its low 8 bits.
    const int pitches[] = {0, 2, 2, 1, 1, 1, 1, 44};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(output.fonts.at(i).first, static_cast<unsigned int>(i));
        QCOMPARE(output.fonts.at(i).second.fontFamily(), families[i]);
        QCOMPARE(int(output.fonts.at(i).second.fontPitch()), pitches[i]);
    }
    // Entries handed over are copies: later fonts did not change earlier ones.
    QCOMPARE(output.fonts.at(0).second.fontName(), QStringLiteral("A"));
}

void DestinationsTest::fontTableMessages_data()
{
    QTest::addColumn<QByteArray>("fontTable");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("unhandled word with its number")
        << QByteArray("{\\fonttbl{\\f0\\fs24 A;}}") << QStringLiteral("unhandled fonttbl")
        << QStringList{QStringLiteral("unhandled fonttbl control word: \"fs\" ( 24 )")};
    QTest::newRow("ignored group's star")
        << QByteArray("{\\fonttbl{\\f0 A{\\*\\panose 020b0604020202020204};}}") << QStringLiteral("unhandled fonttbl")
        << QStringList{QStringLiteral("unhandled fonttbl control word: \"*\" ( 0 )")};
    QTest::newRow("embedded delimiter") << QByteArray("{\\fonttbl{\\f0 A;B;}}") << QStringLiteral("Font name")
                                        << QStringList{QStringLiteral("Font name with embedded delimiter:  \"A;B;\"")};
    QTest::newRow("unknown charset is silent") << QByteArray("{\\fonttbl{\\f0\\fcharset99 A;}}")
                                               << QStringLiteral("unhandled fonttbl") << QStringList();
}

void DestinationsTest::fontTableMessages()
{
    QFETCH(QByteArray, fontTable);
    QFETCH(QString, prefix);
    QFETCH(QStringList, expected);

    TestHelpers::LogCapture log;
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + fontTable + "}", &output));
    QCOMPARE(log.messagesStartingWith(prefix), expected);
}

void DestinationsTest::colourTable_data()
{
    QTest::addColumn<QByteArray>("colourTable");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("automatic colour first")
        << QByteArray("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}")
        << QStringList{QStringLiteral("appendToColourTable(invalid)"), QStringLiteral("appendToColourTable(#ff0000)"),
                       QStringLiteral("appendToColourTable(#0000ff)")};
    QTest::newRow("missing components are 0") << QByteArray("{\\colortbl\\red128;}")
                                              << QStringList{QStringLiteral("appendToColourTable(#800000)")};
    QTest::newRow("components reset after each colour")
        << QByteArray("{\\colortbl\\red10\\green20\\blue30;\\green40;}")
        << QStringList{QStringLiteral("appendToColourTable(#0a141e)"), QStringLiteral("appendToColourTable(#002800)")};
    QTest::newRow("double semicolon is dropped") << QByteArray("{\\colortbl\\red10\\green20\\blue30;;}") << QStringList();
    QTest::newRow("colour after the last semicolon")
        << QByteArray("{\\colortbl;\\red1\\green2\\blue3}") << QStringList{QStringLiteral("appendToColourTable(invalid)")};
    QTest::newRow("\\red without number is still a colour") << QByteArray("{\\colortbl\\red;}")
                                                            << QStringList{QStringLiteral("appendToColourTable(#000000)")};
    QTest::newRow("tint and shade are ignored") << QByteArray("{\\colortbl\\ctint128\\cshade64\\red255;}")
                                                << QStringList{QStringLiteral("appendToColourTable(#ff0000)")};
    QTest::newRow("out-of-range components are clamped")
        << QByteArray("{\\colortbl\\red300\\green-5\\blue99999999999;}")
        << QStringList{QStringLiteral("appendToColourTable(#ff0000)")};
}

void DestinationsTest::colourTable()
{
    QFETCH(QByteArray, colourTable);
    QFETCH(QStringList, expected);

    // QColor warns on stderr about components outside 0-255.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QColor")));
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + colourTable + "}", &output));
    QCOMPARE(fontColourCalls(output, QStringLiteral("appendToColourTable")), expected);
    for (const QColor &colour : std::as_const(output.colours)) {
        if (colour.isValid())
            QCOMPARE(colour.alpha(), 255);
    }
}

void DestinationsTest::colourTableMessages_data()
{
    QTest::addColumn<QByteArray>("colourTable");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("unexpected word") << QByteArray("{\\colortbl\\ctint128;}")
                                     << QStringList{QStringLiteral("unexpected control word in colortbl: \"ctint\"")};
    QTest::newRow("unexpected text") << QByteArray("{\\colortbl\\red1;;}")
                                     << QStringList{QStringLiteral("unexpected text in ColorTableDestination: \";;\"")};
    QTest::newRow("space before the semicolon")
        << QByteArray("{\\colortbl\\red1  ;}") << QStringList{QStringLiteral("unexpected text in ColorTableDestination: \" ;\"")};
}

void DestinationsTest::colourTableMessages()
{
    QFETCH(QByteArray, colourTable);
    QFETCH(QStringList, expected);

    TestHelpers::LogCapture log;
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1" + colourTable + "}", &output));
    QStringList messages = log.messagesStartingWith(QStringLiteral("unexpected "));
    QCOMPARE(messages, expected);
}

// ---- style sheet, pictures and information group ----

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>

#include <tavisk/textdocumentrtfoutput.h>

#include <thread>

namespace MetaHelpers
{
// Writes a style entry as "index|name|alignment|left|right|top|direction".
QString styleRecord(unsigned int index, const StyleSheetTableEntry &entry)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(index)
        .arg(entry.styleName())
        .arg(int(entry.textAlignment()))
        .arg(entry.leftIndent())
        .arg(entry.rightIndent())
        .arg(entry.topMargin())
        .arg(entry.layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"));
}

// A small picture file made by Qt in the given format ("PNG", "JPEG", "BMP").
QByteArray imageFile(const QSize &size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot write a %s fixture", format);
    return bytes;
}

// Hex text the way writers put it into a \pict group: lines of 64 digits.
QByteArray hexLines(const QByteArray &data)
{
    const QByteArray hex = data.toHex();
    QByteArray result;
    for (qsizetype i = 0; i < hex.size(); i += 64)
        result += hex.mid(i, 64) + "\r\n";
    return result;
}

// The running number of a picture name "rtfparser://N.suffix", or -1.
int pictureNumber(const QString &imageName, const QString &suffix)
{
    const QString prefix = QStringLiteral("rtfparser://");
    const QString end = QLatin1Char('.') + suffix;
    if (!imageName.startsWith(prefix) || !imageName.endsWith(end))
        return -1;
    bool ok = false;
    const int number = imageName.mid(prefix.size(), imageName.size() - prefix.size() - end.size()).toInt(&ok);
    return ok ? number : -1;
}

// One text item of the information group, by its getter's name.
QString metadataText(const AbstractRtfOutput &output, const QString &item)
{
    static const QHash<QString, QString (AbstractRtfOutput::*)() const> getters = {
        {QStringLiteral("author"), &AbstractRtfOutput::author},
        {QStringLiteral("companyName"), &AbstractRtfOutput::companyName},
        {QStringLiteral("title"), &AbstractRtfOutput::title},
        {QStringLiteral("subject"), &AbstractRtfOutput::subject},
        {QStringLiteral("operatorName"), &AbstractRtfOutput::operatorName},
        {QStringLiteral("managerName"), &AbstractRtfOutput::managerName},
        {QStringLiteral("comment"), &AbstractRtfOutput::comment},
        {QStringLiteral("documentComment"), &AbstractRtfOutput::documentComment},
        {QStringLiteral("keywords"), &AbstractRtfOutput::keywords},
        {QStringLiteral("category"), &AbstractRtfOutput::category},
        {QStringLiteral("hLinkBase"), &AbstractRtfOutput::hLinkBase},
        {QStringLiteral("generatorInformation"), &AbstractRtfOutput::generatorInformation},
    };
    const auto getter = getters.value(item);
    if (!getter)
        qFatal("no text item %s", qPrintable(item));
    return (output.*getter)();
}

QList<int> counts(const AbstractRtfOutput &output)
{
    return {output.numberOfPages(),
            output.numberOfWords(),
            output.numberOfCharacters(),
            output.numberOfCharactersWithoutSpaces(),
            output.totalEditingTime(),
            output.versionNumber(),
            output.internalVersionNumber()};
}

// A row's RTF inside a document; a row that starts a document itself (one
// cut off by the end of the file) is taken as it is.
QByteArray document(const QByteArray &rtf)
{
    return rtf.startsWith("{\\rtf1") ? rtf : "{\\rtf1 " + rtf + "}";
}

// The CRC of a PNG chunk, over its type and data.
quint32 pngCrc(const QByteArray &typeAndData)
{
    quint32 crc = 0xffffffffu;
    for (const char c : typeAndData) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray chunk;
    const auto appendNumber = [&chunk](quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.append(char((value >> shift) & 0xff));
    };
    appendNumber(quint32(data.size()));
    chunk += type + data;
    appendNumber(pngCrc(type + data));
    return chunk;
}

QDateTime localDateTime(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}
} // namespace MetaHelpers

// Every destination name with a class of its own is created from the table;
// only the supported names without one fall back to a plain Destination.
void DestinationsTest::destinationTable_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("plainDestination");

    for (const char *name : {"fonttbl", "colortbl", "stylesheet", "pict", "info", "creatim", "revtim", "printim", "author", "company",
                             "operator", "title", "subject", "comment", "doccomm", "manager", "category",
                             "keywords", "hlinkbase", "generator", "userprops", "listtable", "listoverridetable",
                             "listtext", "pntext", "pn", "field", "fldinst", "bkmkstart", "bkmkend", "footnote",
                             "annotation", "atnid", "atnauthor", "atnref", "atndate", "atrfstart", "atrfend", "header",
                             "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "shp", "shpinst",
                             "shptxt", "dptxbxtext", "shprslt"})
        QTest::newRow(name) << QByteArray(name) << false;
    QTest::newRow("nesttableprops") << QByteArray("nesttableprops") << false;
    QTest::newRow("nonesttables") << QByteArray("nonesttables") << false;
    for (const char *name : {"pgdsc", "pgdsctbl", "shppict", "pntxta", "pntxtb", "mmathPr", "do"})
        QTest::newRow(name) << QByteArray(name) << true;
}

void DestinationsTest::destinationTable()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, plainDestination);

    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\" + name + " x}}", &output);

    const QString fallback = QStringLiteral("creating plain old Destination for \"%1\"").arg(QString::fromLatin1(name));
    QCOMPARE(log.messages().contains(fallback), plainDestination);
    const QString pushed = QStringLiteral("destinationStack after changeDestination ( QList(\"rtf\", \"%1\") )")
                               .arg(QString::fromLatin1(name));
    QVERIFY2(!log.messagesStartingWith(QStringLiteral("\"\\t\\t\" ") + pushed).isEmpty(),
             qPrintable(log.messages().join(QLatin1Char('\n'))));
}

void DestinationsTest::styleSheet_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("styles");

    QTest::newRow("fields carry over to the next style")
        << QByteArray("{\\stylesheet{\\ql\\li720\\ri360\\sb240\\rtlch Normal;}{\\s1 heading 1;}}")
        << QStringList{QStringLiteral("0|Normal|0|720|360|240|rtl"), QStringLiteral("1|heading 1|0|720|360|240|rtl")};
    QTest::newRow("ltrch switches the direction back")
        << QByteArray("{\\stylesheet{\\rtlch A;}{\\s1\\ltrch B;}}")
        << QStringList{QStringLiteral("0|A|0|0|0|0|rtl"), QStringLiteral("1|B|0|0|0|0|ltr")};
    QTest::newRow("words without a number change nothing")
        << QByteArray("{\\stylesheet{\\s3\\li100\\ri200\\sb300 A;}{\\s\\li\\ri\\sb B;}}")
        << QStringList{QStringLiteral("3|A|0|100|200|300|ltr"), QStringLiteral("3|B|0|100|200|300|ltr")};
    QTest::newRow("unhandled paragraph words change nothing")
        << QByteArray("{\\stylesheet{\\s2\\qc\\sa120\\fi-360\\sbasedon0\\snext2\\f1\\fs24\\b Body;}}")
        << QStringList{QStringLiteral("2|Body|0|0|0|0|ltr")};
    QTest::newRow("style without \\s takes the number before")
        << QByteArray("{\\stylesheet{\\s5 A;}{B;}}")
        << QStringList{QStringLiteral("5|A|0|0|0|0|ltr"), QStringLiteral("5|B|0|0|0|0|ltr")};
    QTest::newRow("escaped bytes read as Windows-1252")
        << QByteArray("{\\stylesheet{\\s2 Titre \\'e9l\\'e9gant;}}")
        << QStringList{QStringLiteral("2|Titre \u00e9l\u00e9gant|0|0|0|0|ltr")};
    QTest::newRow("Windows-1252 punctuation")
        << QByteArray("{\\stylesheet{\\s1 \\'93Quote\\'94 \\'80\\'85;}}")
        << QStringList{QStringLiteral("1|\u201cQuote\u201d \u20ac\u2026|0|0|0|0|ltr")};
    // Windows-1252 leaves five bytes undefined; decoded, they are C1 control
    // characters, which have no place in a name.
    QTest::newRow("bytes Windows-1252 leaves undefined are dropped")
        << QByteArray("{\\stylesheet{\\s1 A\\'81\\'8d\\'8f\\'90\\'9dB;}}")
        << QStringList{QStringLiteral("1|AB|0|0|0|0|ltr")};
    QTest::newRow("raw UTF-8 name") << QByteArray("{\\stylesheet{\\s1 Caf\xc3\xa9;}}")
                                    << QStringList{QStringLiteral("1|Caf\u00e9|0|0|0|0|ltr")};
    QTest::newRow("name split by a control word") << QByteArray("{\\stylesheet{\\s1 Head\\b ing 1;}}")
                                                  << QStringList{QStringLiteral("1|Heading 1|0|0|0|0|ltr")};
    QTest::newRow("name split by a nested group") << QByteArray("{\\stylesheet{\\s1 Head{ing} 1;}}")
                                                  << QStringList{QStringLiteral("1|Heading 1|0|0|0|0|ltr")};
    QTest::newRow("name starts afresh after each style")
        << QByteArray("{\\stylesheet{\\s1 A;}{\\s2 B;}}")
        << QStringList{QStringLiteral("1|A|0|0|0|0|ltr"), QStringLiteral("2|B|0|0|0|0|ltr")};
    QTest::newRow("spaces between style groups")
        << QByteArray("{\\stylesheet {\\s1 A;} {\\s2 B;} }")
        << QStringList{QStringLiteral("1|A|0|0|0|0|ltr"), QStringLiteral("2|B|0|0|0|0|ltr")};
    QTest::newRow("terminator as a run of its own")
        << QByteArray("{\\stylesheet{\\s1 Name\\'3b}{\\s2 Other{;}}}")
        << QStringList{QStringLiteral("1|Name|0|0|0|0|ltr"), QStringLiteral("2|Other|0|0|0|0|ltr")};
    QTest::newRow("control characters leave the name")
        << QByteArray("{\\stylesheet{\\s1 Head\\'1b[31ming\\'00 1;}}")
        << QStringList{QStringLiteral("1|Head[31ming 1|0|0|0|0|ltr")};
    QTest::newRow("empty name") << QByteArray("{\\stylesheet{\\s1 A;}{\\s4;}}")
                                << QStringList{QStringLiteral("1|A|0|0|0|0|ltr"), QStringLiteral("4||0|0|0|0|ltr")};
    QTest::newRow("embedded delimiter gives no entry") << QByteArray("{\\stylesheet{\\s1 Body;Text;}}")
                                                       << QStringList();
    QTest::newRow("style without ';' is not handed over") << QByteArray("{\\stylesheet{\\s1 A}}") << QStringList();
    QTest::newRow("character style group is skipped")
        << QByteArray("{\\stylesheet{\\*\\cs10 Default Paragraph Font;}{\\s1 A;}}")
        << QStringList{QStringLiteral("1|A|0|0|0|0|ltr")};
    QTest::newRow("cut off by the end of the file") << QByteArray("{\\rtf1 {\\stylesheet{\\s1 A;}{\\s2 B") << QStringList{
        QStringLiteral("1|A|0|0|0|0|ltr")};
    QTest::newRow("name in the document's code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\stylesheet{\\s1 \\'c7\\'e0\\'e3;}}}")
        << QStringList{QStringLiteral("1|\u0417\u0430\u0433|0|0|0|0|ltr")};
    QTest::newRow("double-byte name from escapes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\stylesheet{\\s1 \\'8c\\'a9\\'8f\\'6f\\'82\\'b5 1;}}}")
        << QStringList{QStringLiteral("1|\u898b\u51fa\u3057 1|0|0|0|0|ltr")};
}

void DestinationsTest::styleSheet()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, styles);

    RecordingOutput output;
    TestHelpers::parse(MetaHelpers::document(rtf), &output);

    QStringList actual;
    for (const auto &style : std::as_const(output.styles))
        actual.append(MetaHelpers::styleRecord(style.first, style.second));
    QCOMPARE(actual, styles);
}

void DestinationsTest::styleSheetMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\stylesheet{\\sb\\li\\qc\\fonttbl Body;Text;}{\\*\\cs1 x;}}}", &output);

    const QStringList expected = {
        QStringLiteral("space before default (0)"),
        QStringLiteral("unhandled control word in StyleSheetDestination: \"li\""),
        QStringLiteral("unhandled control word in StyleSheetDestination: \"qc\""),
        QStringLiteral("unhandled **Destination** control word in StyleSheetDestination: \"fonttbl\""),
        QStringLiteral("Style name with embedded delimiter:  \"Body;Text;\""),
        QStringLiteral("unhandled control word in StyleSheetDestination: \"*\""),
    };
    QStringList actual;
    for (const QString &message : log.messages()) {
        if (!message.startsWith(QLatin1Char('"')) && !message.startsWith(QLatin1String("ignorable")))
            actual.append(message);
    }
    QCOMPARE(actual, expected);
    QVERIFY(output.styles.isEmpty());
}

void DestinationsTest::picture_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QByteArray>("imageFormat");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");

    // The fixture pictures are 10 x 20 pixels.
    QTest::newRow("goals in twips") << QByteArray("\\pngblip\\picw10\\pich20\\picwgoal1440\\pichgoal720")
                                    << QByteArray("PNG") << QStringLiteral("png") << 96.0 << 48.0;
    QTest::newRow("goal scaled") << QByteArray("\\pngblip\\picwgoal1440\\pichgoal720\\picscalex50")
                                 << QByteArray("PNG") << QStringLiteral("png") << 48.0 << 48.0;
    QTest::newRow("size read from the picture") << QByteArray("\\pngblip") << QByteArray("PNG")
                                                << QStringLiteral("png") << 10.0 << 20.0;
    QTest::newRow("size read from the picture, scaled") << QByteArray("\\pngblip\\picscalex200\\picscaley50")
                                                        << QByteArray("PNG") << QStringLiteral("png") << 20.0 << 10.0;
    QTest::newRow("only the width goal") << QByteArray("\\pngblip\\picwgoal1440") << QByteArray("PNG")
                                         << QStringLiteral("png") << 96.0 << 20.0;
    QTest::newRow("only the height goal") << QByteArray("\\pngblip\\pichgoal720") << QByteArray("PNG")
                                          << QStringLiteral("png") << 10.0 << 48.0;
    QTest::newRow("JPEG") << QByteArray("\\jpegblip") << QByteArray("JPEG") << QStringLiteral("jpg") << 10.0 << 20.0;
    QTest::newRow("BMP") << QByteArray("\\dibitmap0") << QByteArray("BMP") << QStringLiteral("bmp") << 10.0 << 20.0;
    QTest::newRow("later type word wins") << QByteArray("\\jpegblip\\pngblip") << QByteArray("PNG")
                                          << QStringLiteral("png") << 10.0 << 20.0;
    QTest::newRow("crop and picture size do not count")
        << QByteArray("\\pngblip\\picw500\\pich500\\piccropl10\\piccropr10\\piccropt10\\piccropb10")
        << QByteArray("PNG") << QStringLiteral("png") << 10.0 << 20.0;
    QTest::newRow("goals of 0 read the picture") << QByteArray("\\pngblip\\picwgoal0\\pichgoal0") << QByteArray("PNG")
                                                 << QStringLiteral("png") << 10.0 << 20.0;
    QTest::newRow("negative goals read the picture") << QByteArray("\\pngblip\\picwgoal-1440\\pichgoal-720")
                                                     << QByteArray("PNG") << QStringLiteral("png") << 10.0 << 20.0;
    QTest::newRow("huge goals are bounded") << QByteArray("\\pngblip\\picwgoal2000000000\\pichgoal2000000000")
                                            << QByteArray("PNG") << QStringLiteral("png") << 32767.0 << 32767.0;
    QTest::newRow("huge scale is bounded") << QByteArray("\\pngblip\\picscalex2000000000\\picscaley2000000000")
                                           << QByteArray("PNG") << QStringLiteral("png") << 32767.0 << 32767.0;
    QTest::newRow("scale of 0 or less is ignored") << QByteArray("\\pngblip\\picscalex0\\picscaley-50")
                                                   << QByteArray("PNG") << QStringLiteral("png") << 10.0 << 20.0;
}

void DestinationsTest::picture()
{
    QFETCH(QByteArray, words);
    QFETCH(QByteArray, imageFormat);
    QFETCH(QString, suffix);
    QFETCH(double, width);
    QFETCH(double, height);

    const QByteArray image = MetaHelpers::imageFile(QSize(10, 20), imageFormat.constData());
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict" + words + "\r\n" + MetaHelpers::hexLines(image) + "}}", &output);

    QCOMPARE(output.images.size(), 1);
    QCOMPARE(output.images.first(), image);
    const QTextImageFormat format = output.imageFormats.first();
    QVERIFY2(MetaHelpers::pictureNumber(format.name(), suffix) > 0, qPrintable(format.name()));
    QCOMPARE(format.width(), width);
    QCOMPARE(format.height(), height);
}

void DestinationsTest::pictureHexData_data()
{
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("split around a nested group") << QByteArray("8950{}4e47") << QByteArray::fromHex("89504e47");
    QTest::newRow("split between the digits of a byte") << QByteArray("895{}04e{\\*\\x y}47")
                                                        << QByteArray::fromHex("89504e47");
    QTest::newRow("upper-case digits") << QByteArray("89504E47") << QByteArray::fromHex("89504e47");
    QTest::newRow("spaces and non-hex characters skipped") << QByteArray("89 50 zz 4e\t47 ;")
                                                           << QByteArray::fromHex("89504e47");
    QTest::newRow("odd number of digits drops the last") << QByteArray("89504") << QByteArray::fromHex("8950");
    QTest::newRow("bytes above 127 skipped") << QByteArray("89\xff\x80" "50") << QByteArray::fromHex("8950");
    QTest::newRow("no data") << QByteArray() << QByteArray();
}

// Data that Qt cannot read still reaches the output; its size is unknown (-1).
void DestinationsTest::pictureHexData()
{
    QFETCH(QByteArray, hex);
    QFETCH(QByteArray, data);

    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip " + hex + "}}", &output);

    QCOMPARE(output.images.size(), 1);
    QCOMPARE(output.images.first(), data);
    QCOMPARE(output.imageFormats.first().width(), -1.0);
    QCOMPARE(output.imageFormats.first().height(), -1.0);
}

// \binN: the N bytes after the word are raw data. In a picture they are its
// bytes, whatever they hold (braces, backslashes); elsewhere they are
// dropped, and in either case they are never read as RTF.
void DestinationsTest::pictureBinaryData_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<QByteArray>>("images");
    QTest::addColumn<QStringList>("text");

    const QByteArray png = MetaHelpers::imageFile(QSize(10, 20), "PNG");
    const QByteArray bin = "\\bin" + QByteArray::number(png.size()) + ' ';
    const QByteArray syntax = "}{\\par x}";
    auto text = [](const char *t) { return QStringLiteral("appendText(bytes:%1)").arg(QLatin1String(t)); };

    QTest::newRow("picture given with bin")
        << "{\\rtf1 A{\\pict\\pngblip\\picwgoal150\\pichgoal300" + bin + png + "}B}" << QList<QByteArray>{png}
        << QStringList{text("A"), text("B")};
    QTest::newRow("bin in a group of its own inside the picture")
        << "{\\rtf1 A{\\pict\\pngblip {" + bin + png + "}}B}" << QList<QByteArray>{png}
        << QStringList{text("A"), text("B")};
    QTest::newRow("braces and backslashes are data")
        << "{\\rtf1 {\\pict\\pngblip\\bin9 " + syntax + "}B}" << QList<QByteArray>{syntax}
        << QStringList{text("B")};
    QTest::newRow("hex digits and bin data join")
        << QByteArray("{\\rtf1 {\\pict\\pngblip 8950\\bin2 NG}}") << QList<QByteArray>{"\x89PNG"} << QStringList();
    QTest::newRow("bin0 gives no data") << QByteArray("{\\rtf1 {\\pict\\pngblip\\bin0 8950}}")
                                        << QList<QByteArray>{"\x89P"} << QStringList();
    QTest::newRow("negative bin gives no data") << QByteArray("{\\rtf1 {\\pict\\pngblip\\bin-2 8950}}")
                                                << QList<QByteArray>{"\x89P"} << QStringList();
    QTest::newRow("bin in the body is dropped")
        << "{\\rtf1 A\\bin9 " + syntax + "B}" << QList<QByteArray>() << QStringList{text("A"), text("B")};
    // As LibreOffice's writer leaves it in a shape's result group.
    QTest::newRow("bin in an ignored group is dropped")
        << QByteArray("{\\rtf1 {\\*\\shprslt\\bin24 }{\\par MUST NOT IMPORT}}}After}") << QList<QByteArray>()
        << QStringList{text("After")};
    QTest::newRow("each nested picture keeps its own data")
        << QByteArray("{\\rtf1 {\\pict\\pngblip\\bin1 }{\\pict\\jpegblip\\bin2 {}}\\bin1 \\}B}")
        << QList<QByteArray>{"{}", "}\\"} << QStringList{text("B")};
}

void DestinationsTest::pictureBinaryData()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<QByteArray>, images);
    QFETCH(QStringList, text);

    RecordingOutput output;
    TestHelpers::parse(rtf, &output);
    QCOMPARE(output.images, images);
    QCOMPARE(output.calls.filter(QStringLiteral("appendText")), text);
}

// A PNG header that announces a picture of 100000 x 100000 pixels, followed
// by a few bytes of pixel data: reading the size takes the header alone (the
// pixels would need 30 GB), and the display size stays bounded.
void DestinationsTest::pictureReadsOnlyTheHeader()
{
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a")
        + MetaHelpers::pngChunk("IHDR", QByteArray::fromHex("000186a0" "000186a0" "0802000000"))
        + MetaHelpers::pngChunk("IDAT", QByteArray::fromHex("78da0300"));

    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip " + png.toHex() + "}}", &output);

    QCOMPARE(output.images.size(), 1);
    QCOMPARE(output.images.first(), png);
    QCOMPARE(output.imageFormats.first().width(), 32767.0);
    QCOMPARE(output.imageFormats.first().height(), 32767.0);
}

// Pictures take consecutive numbers, across documents; a picture in an
// unknown format takes none.
void DestinationsTest::pictureNumbering()
{
    const QByteArray png = MetaHelpers::imageFile(QSize(2, 2), "PNG").toHex();
    const QByteArray jpeg = MetaHelpers::imageFile(QSize(2, 2), "JPEG").toHex();

    QTest::ignoreMessage(QtWarningMsg, "Embedded picture in unknown format");
    RecordingOutput first;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip " + png + "}{\\pict\\wmetafile8 0102}{\\pict\\jpegblip " + jpeg + "}}",
                       &first);
    RecordingOutput second;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip " + png + "}}", &second);

    QCOMPARE(first.imageFormats.size(), 2);
    QCOMPARE(second.imageFormats.size(), 1);
    const int number = MetaHelpers::pictureNumber(first.imageFormats.at(0).name(), QStringLiteral("png"));
    QVERIFY(number > 0);
    QCOMPARE(first.imageFormats.at(1).name(), QStringLiteral("rtfparser://%1.jpg").arg(number + 1));
    QCOMPARE(second.imageFormats.at(0).name(), QStringLiteral("rtfparser://%1.png").arg(number + 2));
}

void DestinationsTest::unknownPictureFormat()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict\\wmetafile8\\picw100\\pich100 010009000003}{\\pict\\emfblip 0100}}", &output);

    QVERIFY(output.images.isEmpty());
    QVERIFY(!output.calls.join(QLatin1Char('\n')).contains(QLatin1String("createImage")));
    QVERIFY(log.messages().contains(QStringLiteral("todo: get WMF data")));
    QCOMPARE(log.messagesStartingWith(QStringLiteral("warning: ")),
             QStringList(2, QStringLiteral("warning: Embedded picture in unknown format")));
}

void DestinationsTest::pictureCutOffByEndOfFile()
{
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip\\picwgoal100 89504e470d0a1a", &output);
    QVERIFY(output.images.isEmpty());
}

void DestinationsTest::pictureMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\pict\\pngblip\\jpegblip\\dibitmap\\picw7\\pich8\\picscalex50\\picscaley75"
                       "\\piccropl1\\piccropr2\\piccropt3\\piccropb4\\picwgoal1440\\pichgoal720\\bin2 00}}",
                       &output);

    const QStringList expected = {
        QStringLiteral("PNG"),
        QStringLiteral("JPEG"),
        QStringLiteral("BMP"),
        QStringLiteral("pict width:  7"),
        QStringLiteral("pict height:  8"),
        QStringLiteral("X scale:  50"),
        QStringLiteral("Y scale:  75"),
        QStringLiteral("Left crop: 1"),
        QStringLiteral("Right crop: 2"),
        QStringLiteral("Top crop: 3"),
        QStringLiteral("Bottom crop: 4"),
        QStringLiteral("Goal Width: 1440"),
        QStringLiteral("Goal Height: 720"),
        QStringLiteral("binary picture data: 2 bytes"),
        QStringLiteral("binary data: 2 bytes"),
    };
    QStringList actual;
    for (const QString &message : log.messages()) {
        if (!message.startsWith(QLatin1Char('"')))
            actual.append(message);
    }
    QCOMPARE(actual, expected);
}

// Two readers parsing at once on two threads never give two pictures the
// same resource name.
void DestinationsTest::pictureNamesDistinctAcrossThreads()
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 500; ++i)
        rtf += "{\\pict\\pngblip\\picwgoal15\\pichgoal15 00}";
    rtf += '}';

    RecordingOutput outputs[2];
    std::thread threads[2];
    for (int i = 0; i < 2; ++i)
        threads[i] = std::thread([&rtf, &outputs, i] { TestHelpers::parse(rtf, &outputs[i]); });
    for (auto &thread : threads)
        thread.join();

    QSet<QString> names;
    for (const auto &output : outputs) {
        QCOMPARE(output.imageFormats.size(), 500);
        for (const QTextImageFormat &format : output.imageFormats)
            names.insert(format.name());
    }
    QCOMPARE(names.size(), 1000);
}

void DestinationsTest::infoCounts_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<int>>("counts"); // pages, words, chars, chars without spaces, minutes, version, vern

    QTest::newRow("all seven") << QByteArray(
        "{\\info{\\nofpages3}{\\nofwords250}{\\nofchars1200}{\\nofcharsws1000}{\\edmins12}{\\version2}{\\vern49}}")
                               << QList<int>{3, 250, 1200, 1000, 12, 2, 49};
    QTest::newRow("words directly in the group") << QByteArray("{\\info\\nofpages4\\vern7}")
                                                 << QList<int>{4, -1, -1, -1, -1, -1, 7};
    QTest::newRow("without a number nothing is stored") << QByteArray("{\\info{\\nofpages}{\\edmins}}")
                                                        << QList<int>{-1, -1, -1, -1, -1, -1, -1};
    QTest::newRow("later value wins") << QByteArray("{\\info{\\edmins5}{\\edmins7}}")
                                      << QList<int>{-1, -1, -1, -1, 7, -1, -1};
    QTest::newRow("negative and zero stored as given") << QByteArray("{\\info\\nofpages-2\\nofwords0}")
                                                       << QList<int>{-2, 0, -1, -1, -1, -1, -1};
    QTest::newRow("number out of range arrives as 0") << QByteArray("{\\info{\\nofwords99999999999}}")
                                                      << QList<int>{-1, 0, -1, -1, -1, -1, -1};
    QTest::newRow("empty group") << QByteArray("{\\info}") << QList<int>{-1, -1, -1, -1, -1, -1, -1};
    QTest::newRow("outside the information group") << QByteArray("\\nofpages3{\\edmins4}")
                                                   << QList<int>{-1, -1, -1, -1, -1, -1, -1};
}

void DestinationsTest::infoCounts()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<int>, counts);

    RecordingOutput output;
    TestHelpers::parse(MetaHelpers::document(rtf), &output);
    QCOMPARE(MetaHelpers::counts(output), counts);
}

void DestinationsTest::infoMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\info\\id5 x{\\nofpages}{\\*\\company Example}}}", &output);

    QStringList actual;
    for (const QString &message : log.messages()) {
        if (message.contains(QLatin1String("InfoDestination")))
            actual.append(message);
    }
    QCOMPARE(actual,
             (QStringList{QStringLiteral("unexpected control word in InfoDestination: \"id\""),
                          QStringLiteral("unexpected text in InfoDestination: \"x\""),
                          QStringLiteral("unexpected control word in InfoDestination: \"nofpages\"")}));
    QCOMPARE(output.companyName(), QStringLiteral("Example"));
}

void DestinationsTest::infoDateTime_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QDateTime>("created");
    QTest::addColumn<QDateTime>("revised");
    QTest::addColumn<QDateTime>("printed");

    const QDateTime none;
    const QDateTime moment = MetaHelpers::localDateTime(2001, 2, 3, 4, 5);
    QTest::newRow("creation time") << QByteArray("{\\creatim\\yr2001\\mo2\\dy3\\hr4\\min5}") << moment << none << none;
    QTest::newRow("revision time, seconds not read")
        << QByteArray("{\\revtim\\yr2001\\mo2\\dy3\\hr4\\min5\\sec6}") << none << moment << none;
    QTest::newRow("print time, repeated word wins")
        << QByteArray("{\\printim\\yr2001\\yr2002\\mo1\\dy1\\hr0\\min0}") << none << none
        << MetaHelpers::localDateTime(2002, 1, 1, 0, 0);
    QTest::newRow("without a time: midnight") << QByteArray("{\\creatim\\yr2001\\mo2\\dy3}")
                                              << MetaHelpers::localDateTime(2001, 2, 3, 0, 0) << none << none;
    QTest::newRow("without minutes") << QByteArray("{\\creatim\\yr2001\\mo2\\dy3\\hr17}")
                                     << MetaHelpers::localDateTime(2001, 2, 3, 17, 0) << none << none;
    QTest::newRow("in any order") << QByteArray("{\\creatim\\min5\\hr4\\dy3\\mo2\\yr2001}") << moment << none << none;
    QTest::newRow("month 13 is invalid") << QByteArray("{\\creatim\\yr2001\\mo13\\dy1\\hr0\\min0}") << none << none
                                         << none;
    QTest::newRow("year 0 is invalid") << QByteArray("{\\creatim\\yr\\mo1\\dy1\\hr0\\min0}") << none << none << none;
    QTest::newRow("day 30 February is invalid") << QByteArray("{\\creatim\\yr2001\\mo2\\dy30}") << none << none
                                                << none;
    QTest::newRow("without a day") << QByteArray("{\\creatim\\yr2001\\mo2}") << none << none << none;
    QTest::newRow("without a year") << QByteArray("{\\creatim\\mo2\\dy3\\hr4}") << none << none << none;
    QTest::newRow("empty group") << QByteArray("{\\info{\\creatim}{\\revtim}{\\printim}}") << none << none << none;
    QTest::newRow("invalid replaces an earlier valid one")
        << QByteArray("{\\creatim\\yr2001\\mo2\\dy3}{\\creatim\\yr2001\\mo13\\dy1}") << none << none << none;
    QTest::newRow("second group replaces the first")
        << QByteArray("{\\info{\\creatim\\yr1999\\mo1\\dy1}{\\creatim\\yr2001\\mo2\\dy3\\hr4\\min5}}") << moment
        << none << none;
    QTest::newRow("all three") << QByteArray("{\\info{\\creatim\\yr2001\\mo2\\dy3\\hr4\\min5}"
                                             "{\\revtim\\yr2002\\mo3\\dy4\\hr5\\min6}"
                                             "{\\printim\\yr2003\\mo4\\dy5\\hr6\\min7}}")
                               << moment << MetaHelpers::localDateTime(2002, 3, 4, 5, 6)
                               << MetaHelpers::localDateTime(2003, 4, 5, 6, 7);
    QTest::newRow("cut off by the end of the file") << QByteArray("{\\rtf1 {\\info{\\creatim\\yr2001\\mo2\\dy3") << none
                                                    << none << none;
}

void DestinationsTest::infoDateTime()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QDateTime, created);
    QFETCH(QDateTime, revised);
    QFETCH(QDateTime, printed);

    RecordingOutput output;
    TestHelpers::parse(MetaHelpers::document(rtf), &output);

    const QDateTime actual[] = {output.created(), output.revised(), output.printed()};
    const QDateTime expected[] = {created, revised, printed};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(actual[i].isValid(), expected[i].isValid());
        if (!expected[i].isValid())
            continue;
        QCOMPARE(actual[i].date(), expected[i].date());
        QCOMPARE(actual[i].time(), expected[i].time());
        QCOMPARE(actual[i].timeSpec(), Qt::LocalTime);
    }
}

void DestinationsTest::infoDateTimeMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\info{\\revtim x\\yr2001\\sec6}{\\buptim\\yr1999}}}", &output);

    QVERIFY(log.messages().contains(QStringLiteral("unexpected text in InfoTimeDestination: \"x\"")));
    QVERIFY(log.messages().contains(QStringLiteral("unexpected control word in \"revtim\" :  \"sec\"")));
    // The backup time has no destination: its words reach the information group.
    QVERIFY(log.messages().contains(QStringLiteral("unexpected control word in InfoDestination: \"buptim\"")));
    QVERIFY(log.messages().contains(QStringLiteral("unexpected control word in InfoDestination: \"yr\"")));
}

void DestinationsTest::infoText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");

    const struct {
        const char *word;
        const char *getter;
    } items[] = {{"author", "author"},         {"company", "companyName"},    {"operator", "operatorName"},
                 {"title", "title"},           {"subject", "subject"},        {"comment", "comment"},
                 {"doccomm", "documentComment"}, {"manager", "managerName"},  {"category", "category"},
                 {"keywords", "keywords"},     {"hlinkbase", "hLinkBase"},    {"generator", "generatorInformation"}};
    for (const auto &item : items) {
        QTest::addRow("%s", item.word) << QByteArray("{\\info{\\") + item.word + " Text of " + item.word + "}}"
                                       << QString::fromLatin1(item.getter)
                                       << QStringLiteral("Text of ") + QString::fromLatin1(item.word);
    }

    QTest::newRow("later group replaces") << QByteArray("{\\title Annual report}{\\title Summary}")
                                          << QStringLiteral("title") << QStringLiteral("Summary");
    QTest::newRow("empty group gives a null text") << QByteArray("{\\title Annual report}{\\title}")
                                                   << QStringLiteral("title") << QString();
    QTest::newRow("second space is text") << QByteArray("{\\title  Two}") << QStringLiteral("title")
                                          << QStringLiteral(" Two");
    QTest::newRow("\\u skips its fallback") << QByteArray("{\\title Caf\\u233?}") << QStringLiteral("title")
                                            << QStringLiteral("Caf\u00e9");
    QTest::newRow("\\uc2") << QByteArray("{\\title\\uc2 \\u8364 xyz}") << QStringLiteral("title")
                           << QStringLiteral("\u20acz");
    QTest::newRow("\\uc0") << QByteArray("{\\title\\uc0 \\u233 x}") << QStringLiteral("title")
                           << QStringLiteral("\u00e9x");
    QTest::newRow("negative \\u") << QByteArray("{\\title \\u-4064?}") << QStringLiteral("title")
                                  << QString(QChar(0xF020));
    QTest::newRow("escaped fallback counts as one byte") << QByteArray("{\\title \\u8364\\'80x}")
                                                         << QStringLiteral("title") << QStringLiteral("\u20acx");
    QTest::newRow("a nested group ends the fallback") << QByteArray("{\\title \\u233{\\b}?x}")
                                                      << QStringLiteral("title") << QStringLiteral("\u00e9?x");
    QTest::newRow("\\uc of the body reaches the item") << QByteArray("\\uc0 {\\title \\u233 x}")
                                                      << QStringLiteral("title") << QStringLiteral("\u00e9x");
    QTest::newRow("\\uc of the item ends with it") << QByteArray("{\\title \\uc0 \\u233 x}{\\author \\u233 x}")
                                                  << QStringLiteral("author") << QStringLiteral("\u00e9");
    QTest::newRow("surrogate pair") << QByteArray("{\\title \\u-10179?\\u-8704?}") << QStringLiteral("title")
                                    << QStringLiteral("\U0001F600");
    QTest::newRow("lone surrogates") << QByteArray("{\\title a\\u-10179?b\\u-8704?c\\u-10179?}")
                                     << QStringLiteral("title") << QStringLiteral("a\uFFFDb\uFFFDc\uFFFD");
    QTest::newRow("hex escape decoded by the output") << QByteArray("{\\title Caf\\'e9}") << QStringLiteral("title")
                                                      << QStringLiteral("Caf\u00e9");
    QTest::newRow("formatting ignored") << QByteArray("{\\title {\\b Bold} text}") << QStringLiteral("title")
                                        << QStringLiteral("Bold text");
    QTest::newRow("\\par ignored") << QByteArray("{\\title A\\par B}") << QStringLiteral("title")
                                   << QStringLiteral("AB");
    QTest::newRow("generator loses its ';'") << QByteArray("{\\*\\generator Writer 1.0;}")
                                             << QStringLiteral("generatorInformation") << QStringLiteral("Writer 1.0");
    QTest::newRow("generator loses one ';' only") << QByteArray("{\\generator Writer;;}")
                                                  << QStringLiteral("generatorInformation") << QStringLiteral("Writer;");
    QTest::newRow("other items keep their ';'") << QByteArray("{\\title A;}") << QStringLiteral("title")
                                                << QStringLiteral("A;");
    QTest::newRow("outside the information group") << QByteArray("{\\title X}Body") << QStringLiteral("title")
                                                   << QStringLiteral("X");
    QTest::newRow("cut off by the end of the file") << QByteArray("{\\rtf1 {\\info{\\author Ann") << QStringLiteral("author")
                                                    << QString();
    QTest::newRow("control characters left out") << QByteArray("{\\title Bad\\'07\\'00 ti\\u27?tle\\'9b}")
                                                 << QStringLiteral("title") << QStringLiteral("Bad title");
    QTest::newRow("tab and line ends stay") << QByteArray("{\\doccomm a\\'09b\\'0d\\'0ac}")
                                            << QStringLiteral("documentComment") << QStringLiteral("a\tb\r\nc");
}

void DestinationsTest::infoText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, item);
    QFETCH(QString, text);

    RecordingOutput output;
    TestHelpers::parse(MetaHelpers::document(rtf), &output);

    const QString actual = MetaHelpers::metadataText(output, item);
    QCOMPARE(actual, text);
    QCOMPARE(actual.isNull(), text.isNull());
    // The item's text never reaches the body.
    for (const QString &call : std::as_const(output.calls))
        QVERIFY2(!call.startsWith(QLatin1String("appendText")) || call == QLatin1String("appendText(bytes:Body)"),
                 qPrintable(call));
}

void DestinationsTest::infoTextMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\title A\\b\\u B\\u233?}}", &output);

    QCOMPARE(output.title(), QStringLiteral("AB\u00e9"));
    QVERIFY(log.messages().contains(QStringLiteral("unexpected control word in \"title\" :  \"b\"")));
    QVERIFY(log.messages().contains(QStringLiteral("unexpected control word in \"title\" :  \"u\"")));
    QVERIFY(log.messages().contains(QStringLiteral("skipping 1 of \"?\"")));
}

void DestinationsTest::userProps_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QVariant>("value"); // of the first name
    QTest::addColumn<QStringList>("messages");

    const QString unhandled = QStringLiteral("unhandled value type in UserPropsDestination: %1");
    QTest::newRow("text") << QByteArray("{\\propname Client}\\proptype30{\\staticval Example Ltd}")
                          << QStringList{QStringLiteral("Client")} << QVariant(QByteArray("Example Ltd"))
                          << QStringList();
    QTest::newRow("text without \\proptype") << QByteArray("{\\propname Client}{\\staticval Example}")
                                             << QStringList{QStringLiteral("Client")} << QVariant(QByteArray("Example"))
                                             << QStringList();
    QTest::newRow("control characters leave the name")
        << QByteArray("{\\propname Cli\\'00ent\\'1b}{\\staticval Example}")
        << QStringList{QStringLiteral("Client")} << QVariant(QByteArray("Example")) << QStringList();
    QTest::newRow("integer") << QByteArray("{\\propname Pages}\\proptype3{\\staticval 12}")
                             << QStringList{QStringLiteral("Pages")} << QVariant(12) << QStringList();
    QTest::newRow("negative integer") << QByteArray("{\\propname Offset}\\proptype3{\\staticval -7}")
                                      << QStringList{QStringLiteral("Offset")} << QVariant(-7) << QStringList();
    QTest::newRow("double") << QByteArray("{\\propname Ratio}\\proptype5{\\staticval 2.5}")
                            << QStringList{QStringLiteral("Ratio")} << QVariant(2.5) << QStringList();
    QTest::newRow("bool 0 is false") << QByteArray("{\\propname Reviewed}\\proptype11{\\staticval 0}")
                                     << QStringList{QStringLiteral("Reviewed")} << QVariant(false) << QStringList();
    QTest::newRow("bool 1 is true") << QByteArray("{\\propname Reviewed}\\proptype11{\\staticval 1}")
                                    << QStringList{QStringLiteral("Reviewed")} << QVariant(true) << QStringList();
    QTest::newRow("bool -1 is true") << QByteArray("{\\propname Reviewed}\\proptype11{\\staticval -1}")
                                     << QStringList{QStringLiteral("Reviewed")} << QVariant(true) << QStringList();
    QTest::newRow("date") << QByteArray("{\\propname Due}\\proptype64{\\staticval 2001-02-03}")
                          << QStringList{QStringLiteral("Due")} << QVariant(QDate(2001, 2, 3)) << QStringList();
    QTest::newRow("date with a time") << QByteArray("{\\propname Due}\\proptype64{\\staticval 2001-02-03T04:05:06Z}")
                                      << QStringList{QStringLiteral("Due")} << QVariant(QDate(2001, 2, 3))
                                      << QStringList();
    QTest::newRow("integer that does not convert") << QByteArray("{\\propname Pages}\\proptype3{\\staticval twelve}")
                                                   << QStringList{QStringLiteral("Pages")}
                                                   << QVariant(QByteArray("twelve")) << QStringList{unhandled.arg(2)};
    QTest::newRow("integer out of range") << QByteArray("{\\propname Pages}\\proptype3{\\staticval 99999999999}")
                                          << QStringList{QStringLiteral("Pages")}
                                          << QVariant(QByteArray("99999999999")) << QStringList{unhandled.arg(2)};
    QTest::newRow("double that does not convert") << QByteArray("{\\propname Ratio}\\proptype5{\\staticval 2,5}")
                                                  << QStringList{QStringLiteral("Ratio")} << QVariant(QByteArray("2,5"))
                                                  << QStringList{unhandled.arg(6)};
    QTest::newRow("bool that does not convert") << QByteArray("{\\propname Done}\\proptype11{\\staticval yes}")
                                                << QStringList{QStringLiteral("Done")} << QVariant(QByteArray("yes"))
                                                << QStringList{unhandled.arg(1)};
    QTest::newRow("month 13 does not convert") << QByteArray("{\\propname Due}\\proptype64{\\staticval 2001-13-01}")
                                               << QStringList{QStringLiteral("Due")}
                                               << QVariant(QByteArray("2001-13-01")) << QStringList{unhandled.arg(14)};
    QTest::newRow("unknown type keeps the type before")
        << QByteArray("{\\propname A}\\proptype7{\\staticval B}") << QStringList{QStringLiteral("A")}
        << QVariant(QByteArray("B")) << QStringList{unhandled.arg(7)};
    QTest::newRow("type carries over to the next property")
        << QByteArray("{\\propname B}\\proptype3{\\staticval 1}{\\propname A}{\\staticval 2}")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")} << QVariant(2) << QStringList();
    QTest::newRow("value joined over its runs") << QByteArray("{\\propname Client}{\\staticval Caf\\'e9 Ltd}")
                                                << QStringList{QStringLiteral("Client")}
                                                << QVariant(QByteArray("Caf\xe9 Ltd")) << QStringList();
    QTest::newRow("number joined over its runs") << QByteArray("{\\propname Ratio}\\proptype5{\\staticval 2\\'2e5}")
                                                 << QStringList{QStringLiteral("Ratio")} << QVariant(2.5)
                                                 << QStringList();
    QTest::newRow("escaped name read as Windows-1252") << QByteArray("{\\propname Caf\\'e9}{\\staticval x}")
                                                       << QStringList{QStringLiteral("Caf\u00e9")}
                                                       << QVariant(QByteArray("x")) << QStringList();
    QTest::newRow("UTF-8 name") << QByteArray("{\\propname Caf\xc3\xa9}{\\staticval x}")
                                << QStringList{QStringLiteral("Caf\u00e9")} << QVariant(QByteArray("x"))
                                << QStringList();
    QTest::newRow("same name twice keeps the later value")
        << QByteArray("{\\propname A}{\\staticval 1}{\\propname A}{\\staticval 2}") << QStringList{QStringLiteral("A")}
        << QVariant(QByteArray("2")) << QStringList();
    QTest::newRow("empty value stores nothing") << QByteArray("{\\propname A}\\proptype30{\\staticval}")
                                                << QStringList() << QVariant() << QStringList();
    QTest::newRow("empty name does not reuse the name before")
        << QByteArray("{\\propname}{\\staticval 2}{\\propname A}{\\staticval 1}")
        << QStringList{QString(), QStringLiteral("A")} << QVariant(QByteArray("2")) << QStringList();
    QTest::newRow("linked value stores nothing")
        << QByteArray("{\\propname A}\\proptype30{\\linkval Target}") << QStringList() << QVariant()
        << QStringList{QStringLiteral("unexpected control word in UserPropsDestination: \"linkval\"")};
    QTest::newRow("\\proptype without a number")
        << QByteArray("{\\propname A}\\proptype{\\staticval B}") << QStringList{QStringLiteral("A")}
        << QVariant(QByteArray("B"))
        << QStringList{QStringLiteral("unexpected control word in UserPropsDestination: \"proptype\"")};
    QTest::newRow("empty group") << QByteArray() << QStringList() << QVariant() << QStringList();
    QTest::newRow("cut off by the end of the file")
        << QByteArray("{\\rtf1 {\\*\\userprops {\\propname A}{\\staticval Example Ltd")
        << QStringList{QStringLiteral("A")}
        << QVariant(QByteArray("Example Ltd")) << QStringList();
}

void DestinationsTest::userProps()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, names);
    QFETCH(QVariant, value);
    QFETCH(QStringList, messages);

    TestHelpers::LogCapture log;
    RecordingOutput output;
    const QByteArray group = rtf.startsWith("{\\rtf1") ? rtf : "{\\*\\userprops " + rtf + "}";
    TestHelpers::parse(MetaHelpers::document(group), &output);

    QStringList actualNames = output.userPropNames();
    actualNames.sort();
    QCOMPARE(actualNames, names);
    if (!names.isEmpty()) {
        const QVariant actual = output.userProp(names.first());
        QCOMPARE(actual.metaType(), value.metaType());
        QCOMPARE(actual, value);
    }
    QCOMPARE(log.messagesStartingWith(QStringLiteral("un")), messages);
}

void DestinationsTest::userPropsMessages()
{
    TestHelpers::LogCapture log;
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 {\\*\\userprops {\\propname A}\\proptype99{\\staticval B}\\u65}}", &output);
    QCOMPARE(log.messagesStartingWith(QStringLiteral("un")),
             (QStringList{QStringLiteral("unhandled value type in UserPropsDestination: 99"),
                          QStringLiteral("unexpected control word in UserPropsDestination: \"u\"")}));
    QCOMPARE(output.userProp(QStringLiteral("A")), QVariant(QByteArray("B")));
}

// A value written as many escapes arrives in many runs, all of them kept.
void DestinationsTest::userPropsValueInManyRuns()
{
    QByteArray rtf = "{\\rtf1 {\\*\\userprops {\\propname Long}{\\staticval ";
    for (int i = 0; i < 100000; ++i)
        rtf += "\\'41b";
    rtf += "}}}";

    RecordingOutput output;
    TestHelpers::parse(rtf, &output);
    const QByteArray value = output.userProp(QStringLiteral("Long")).toByteArray();
    QCOMPARE(value.size(), 200000);
    QVERIFY(value.startsWith("AbAb"));
    QVERIFY(value.endsWith("AbAb"));
}

// One document that carries every kind of metadata reads back completely.
void DestinationsTest::metadataFixture()
{
    QFile file(TestHelpers::dataFile(QStringLiteral("metadata.rtf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    RecordingOutput output;
    TestHelpers::parse(file.readAll(), &output);

    QCOMPARE(output.title(), QStringLiteral("Quarterly report \u2013 Q3"));
    QCOMPARE(output.subject(), QStringLiteral("Sales"));
    QCOMPARE(output.author(), QStringLiteral("Ren\u00e9e Martin"));
    QCOMPARE(output.managerName(), QStringLiteral("Jo Smith"));
    QCOMPARE(output.companyName(), QStringLiteral("Example Ltd"));
    QCOMPARE(output.operatorName(), QStringLiteral("Pat Lee"));
    QCOMPARE(output.category(), QStringLiteral("Reports"));
    QCOMPARE(output.keywords(), QStringLiteral("sales, quarter"));
    QCOMPARE(output.comment(), QStringLiteral("Draft"));
    QCOMPARE(output.documentComment(), QStringLiteral("For the board"));
    QCOMPARE(output.hLinkBase(), QStringLiteral("https://example.org/reports/"));
    QCOMPARE(output.generatorInformation(), QStringLiteral("Tavisk test writer 1.0"));

    const auto checkMoment = [](const QDateTime &actual, const QDateTime &expected) {
        QVERIFY(actual.isValid());
        QCOMPARE(actual.date(), expected.date());
        QCOMPARE(actual.time(), expected.time());
        QCOMPARE(actual.timeSpec(), Qt::LocalTime);
    };
    checkMoment(output.created(), MetaHelpers::localDateTime(2021, 3, 14, 9, 26));
    checkMoment(output.revised(), MetaHelpers::localDateTime(2021, 10, 2, 17, 45));
    checkMoment(output.printed(), MetaHelpers::localDateTime(2021, 10, 3, 8, 0));

    QCOMPARE(MetaHelpers::counts(output), (QList<int>{12, 3456, 20480, 17000, 840, 7, 57}));

    QStringList names = output.userPropNames();
    names.sort();
    QCOMPARE(names,
             (QStringList{QStringLiteral("Approved"), QStringLiteral("Client"), QStringLiteral("Due"),
                          QStringLiteral("Pages"), QStringLiteral("Ratio"), QStringLiteral("R\u00e9vision")}));
    QCOMPARE(output.userProp(QStringLiteral("Client")), QVariant(QByteArray("Caf\xe9 Ltd")));
    QCOMPARE(output.userProp(QStringLiteral("Pages")), QVariant(12));
    QCOMPARE(output.userProp(QStringLiteral("Ratio")), QVariant(0.75));
    QCOMPARE(output.userProp(QStringLiteral("Approved")), QVariant(true));
    QCOMPARE(output.userProp(QStringLiteral("Due")), QVariant(QDate(2021, 12, 31)));
    QCOMPARE(output.userProp(QStringLiteral("R\u00e9vision")), QVariant(QByteArray("B")));

    // The metadata stays out of the body.
    QVERIFY(output.calls.contains(QStringLiteral("appendText(bytes:Body text.)")));
    QCOMPARE(output.calls.filter(QStringLiteral("appendText")).size(), 1);
}

// A picture in a text document becomes an image resource under its name,
// placed at the cursor with its display size.
void DestinationsTest::pictureInTextDocument()
{
    const QByteArray png = MetaHelpers::imageFile(QSize(10, 20), "PNG");
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    TestHelpers::parse("{\\rtf1 A{\\pict\\pngblip\\picwgoal1440\\pichgoal720 " + png.toHex() + "}B}", &output);

    QCOMPARE(document.toPlainText(), QStringLiteral("A\uFFFCB"));
    QTextCursor cursor(&document);
    cursor.setPosition(2); // the format of the character before the cursor
    QVERIFY(cursor.charFormat().isImageFormat());
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QVERIFY2(MetaHelpers::pictureNumber(format.name(), QStringLiteral("png")) > 0, qPrintable(format.name()));
    QCOMPARE(format.width(), 96.0);
    QCOMPARE(format.height(), 48.0);

    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QCOMPARE(resource.toByteArray(), png);
    QImage image;
    QVERIFY(image.loadFromData(resource.toByteArray()));
    QCOMPARE(image.size(), QSize(10, 20));
}

// A picture written the way Word writes one with \bin: the PNG's bytes
// follow the word as they are, and hold braces and backslashes.
void DestinationsTest::binaryPictureInTextDocument()
{
    QFile fixture(TestHelpers::dataFile(QStringLiteral("bin-picture.rtf")));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray rtf = fixture.readAll();
    const QByteArray marker = "\\bin688 ";
    const qsizetype start = rtf.indexOf(marker) + marker.size();
    QVERIFY(start > marker.size());
    const QByteArray png = rtf.mid(start, 688);
    QVERIFY(png.contains('}') && png.contains('{') && png.contains('\\'));

    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    Reader reader;
    QVERIFY(reader.open(fixture.fileName()));
    QVERIFY(reader.parseTo(&output));

    QCOMPARE(document.toPlainText(), QStringLiteral("Before \uFFFCAfter\n"));
    QTextCursor cursor(&document);
    cursor.setPosition(8);
    QVERIFY(cursor.charFormat().isImageFormat());
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QCOMPARE(format.width(), 10.0);
    QCOMPARE(format.height(), 20.0);
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QCOMPARE(resource.toByteArray(), png);
    QImage image;
    QVERIFY(image.loadFromData(resource.toByteArray()));
    QCOMPARE(image.size(), QSize(10, 20));
}

namespace
{
// The calls of a recording, less the group braces.
QStringList withoutGroups(const QStringList &calls)
{
    QStringList result;
    for (const QString &call : calls) {
        if (call != QLatin1String("startGroup()") && call != QLatin1String("endGroup()"))
            result.append(call);
    }
    return result;
}
} // namespace

void DestinationsTest::listTable_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("calls");

    // A level as RecordingOutput::describeLevel() writes it:
    // "style start prefix|suffix bullet leftIndent firstLineIndent".
    auto level = [](const char *nfc, const char *text, const char *numbers, const char *more = "") {
        return QByteArray("{\\listlevel\\levelnfc") + nfc + "\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext" + text
            + ";}{\\levelnumbers" + numbers + ";}" + more + "}";
    };
    auto list = [](const QByteArray &levels, const char *id = "1") {
        return "{\\*\\listtable{\\list\\listtemplateid1" + levels + "{\\listname ;}\\listid" + QByteArray(id) + "}}";
    };
    auto one = [](const char *described) {
        return QStringList{QStringLiteral("defineList(1,[%1])").arg(QLatin1String(described))};
    };

    QTest::newRow("Word bullet: symbol character, indents")
        << QByteArray("{\\*\\listtable{\\list\\listtemplateid-1386283612\\listhybrid{\\listlevel\\levelnfc23\\levelnfcn23"
                      "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0\\levelindent0{\\leveltext"
                      "\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fbias0\\hres0\\chhres0 \\fi-360\\li720"
                      "\\lin720 }{\\listname ;}\\listid1022322392}}")
        << QStringList{QStringLiteral("defineList(1022322392,[23 1 | U+F0B7 720 -360])")};
    QTest::newRow("decimal with a suffix") << list(level("0", "\\'02\\'00.", "\\'01")) << one("0 1 |.  0 0");
    QTest::newRow("prefix and suffix") << list(level("4", "\\'03(\\'00)", "\\'02")) << one("4 1 (|)  0 0");
    QTest::newRow("the other levels' numbers are left out")
        << list(level("2", "\\'04\\'00.\\'01.", "\\'01\\'03")) << one("2 1 |.  0 0");
    QTest::newRow("placeholders found without \\levelnumbers") << list(level("3", "\\'02\\'00)", ""))
                                                                << one("3 1 |)  0 0");
    QTest::newRow("a ';' within the length is text") << list(level("0", "\\'02\\'00;", "\\'01")) << one("0 1 |;  0 0");
    QTest::newRow("\\levelnfcn wins") << list(level("0\\levelnfcn1", "\\'02\\'00.", "\\'01")) << one("1 1 |.  0 0");
    QTest::newRow("unknown formats are decimal") << list(level("22", "\\'02\\'00.", "\\'01")) << one("0 1 |.  0 0");
    QTest::newRow("no number style") << list(level("255", "\\'00", "")) << one("255 1 |  0 0");
    QTest::newRow("numbered text without a number shows no number") << list(level("0", "\\'01*", ""))
                                                                     << one("255 1 |  0 0");
    QTest::newRow("numbered without level text")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc0}\\listid1}}") << one("0 1 |.  0 0");
    QTest::newRow("start number") << list(level("0", "\\'02\\'00.", "\\'01", "\\levelstartat7")) << one("0 7 |.  0 0");
    QTest::newRow("TextEdit bullet with \\uc0") << list(level("23", "\\leveltemplateid1\\'01\\uc0\\u8226 ", ""))
                                               << one("23 1 | U+2022 0 0");
    QTest::newRow("LibreOffice bullet with a fallback byte") << list(level("23", " \\'01\\u8226 ?", ""))
                                                             << one("23 1 | U+2022 0 0");
    QTest::newRow("bullet 'o' of a text font") << list(level("23", "\\'01o", "", "\\f2\\fi-360\\li1440"))
                                              << one("23 1 | U+006F 1440 -360");
    QTest::newRow("two levels, two lists")
        << "{\\*\\listtable{\\list" + level("0", "\\'02\\'00.", "\\'01") + level("4", "\\'02\\'01)", "\\'01")
               + "\\listid5}{\\list\\listsimple" + level("23", "\\'01\\'b7", "") + "\\listid6}}"
        << QStringList{QStringLiteral("defineList(5,[0 1 |.  0 0; 4 1 |)  0 0])"),
                       QStringLiteral("defineList(6,[23 1 | U+00B7 0 0])")};
    QStringList nine;
    for (int i = 0; i < 9; ++i)
        nine.append(QStringLiteral("0 1 |.  0 0"));
    QTest::newRow("at most nine levels") << list(level("0", "\\'02\\'00.", "\\'01").repeated(12))
                                        << one(qPrintable(nine.join(QStringLiteral("; "))));
    QTest::newRow("a list without levels") << QByteArray("{\\*\\listtable{\\list\\listid3}}")
                                          << QStringList{QStringLiteral("defineList(3,[])")};
    QTest::newRow("levels outside a list are ignored") << "{\\*\\listtable" + level("0", "\\'01x", "") + "}"
                                                        << QStringList();
    QTest::newRow("a list cut off by the end of the file")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'05\\'00") << QStringList();
}

void DestinationsTest::listTable()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 " + table + "}", &output);
    QCOMPARE(withoutGroups(output.calls), calls);
}

void DestinationsTest::listOverrideTable_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("Word") << QByteArray("{\\*\\listoverridetable{\\listoverride\\listid1022322392\\listoverridecount0\\ls1}"
                                        "{\\listoverride\\listid1649741364\\listoverridecount0\\ls2}}")
                          << QStringList{QStringLiteral("defineListOverride(1,1022322392,{})"),
                                         QStringLiteral("defineListOverride(2,1649741364,{})")};
    // LibreOffice writes the table without \*.
    QTest::newRow("LibreOffice") << QByteArray("{\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}")
                                 << QStringList{QStringLiteral("defineListOverride(1,1,{})")};
    QTest::newRow("restart of the first level")
        << QByteArray("{\\*\\listoverridetable{\\listoverride\\listid5\\listoverridecount1{\\lfolevel\\listoverridestartat"
                      "\\levelstartat4}\\ls3}}")
        << QStringList{QStringLiteral("defineListOverride(3,5,{0:4})")};
    QTest::newRow("levels count by \\lfolevel")
        << QByteArray("{\\*\\listoverridetable{\\listoverride\\listid5\\listoverridecount9{\\lfolevel}{\\lfolevel"
                      "\\listoverridestartat\\levelstartat7}{\\lfolevel\\levelstartat2}\\ls3}}")
        << QStringList{QStringLiteral("defineListOverride(3,5,{1:7})")};
    QTest::newRow("no \\ls, no override") << QByteArray("{\\*\\listoverridetable{\\listoverride\\listid5}}")
                                          << QStringList();
    QTest::newRow("many \\lfolevel groups")
        << "{\\*\\listoverridetable{\\listoverride\\listid5"
               + QByteArray("{\\lfolevel\\listoverridestartat\\levelstartat2}").repeated(20) + "\\ls1}}"
        << QStringList{QStringLiteral("defineListOverride(1,5,{0:2,1:2,2:2,3:2,4:2,5:2,6:2,7:2,8:2})")};
}

void DestinationsTest::listOverrideTable()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    TestHelpers::parse("{\\rtf1 " + table + "}", &output);
    QCOMPARE(withoutGroups(output.calls), calls);
}

void DestinationsTest::listParagraphs_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("\\ls and \\ilvl need a number")
        << QByteArray("\\ls3\\ilvl2\\ls\\ilvl")
        << QStringList{QStringLiteral("setParagraphListOverride(3)"), QStringLiteral("setParagraphListLevel(2)")};
    // The marker is read as body text between the two calls, \pard included.
    QTest::newRow("Word's list text")
        << QByteArray("{\\listtext\\pard\\plain\\f3 \\'b7\\tab}Item")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("beginListText()"),
                       QStringLiteral("resetParagraphFormat()"), QStringLiteral("resetCharacterProperties()"),
                       QStringLiteral("setFont(3)"), QStringLiteral("appendText(bytes:\u00b7)"),
                       QStringLiteral("insertTab()"), QStringLiteral("endGroup()"), QStringLiteral("endListText()"),
                       QStringLiteral("appendText(bytes:Item)")};
    QTest::newRow("WordPad's marker, \\u with its fallback")
        << QByteArray("{\\pntext\\u8226 ?\\tab}")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("beginListText()"),
                       QStringLiteral("appendText(string:U+2022)"), QStringLiteral("insertTab()"),
                       QStringLiteral("endGroup()"), QStringLiteral("endListText()")};

    auto numbering = [](const QString &described, int level) {
        return QStringList{QStringLiteral("startGroup()"), QStringLiteral("startGroup()"), QStringLiteral("endGroup()"),
                           QStringLiteral("endGroup()"),
                           QStringLiteral("setParagraphNumbering(%1,%2)").arg(described).arg(level)};
    };
    QTest::newRow("Word 6 bullet") << QByteArray("{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}")
                                   << numbering(QStringLiteral("23 1 | U+00B7 0 0"), 0);
    QTest::newRow("Word 6 numbers") << QByteArray("{\\*\\pn\\pnlvlbody\\pndec\\pnstart3\\pnindent360{\\pntxtb (}}")
                                    << numbering(QStringLiteral("0 3 (|  360 0"), 0);
    QTest::newRow("Word 6 numbers, text after") << QByteArray("{\\*\\pn\\pnlvlbody\\pnucltr{\\pntxta )}}")
                                                << numbering(QStringLiteral("3 1 |)  0 0"), 0);
    QTest::newRow("outline level, roman") << QByteArray("{\\*\\pn\\pnlvl3\\pnlcrm{\\pntxta .}}")
                                          << numbering(QStringLiteral("2 1 |.  0 0"), 2);
    QTest::newRow("outline level out of range") << QByteArray("{\\*\\pn\\pnlvl12\\pnucrm{\\pntxta .}}")
                                                << numbering(QStringLiteral("1 1 |.  0 0"), 8);
    QTest::newRow("\\u in the text") << QByteArray("{\\*\\pn\\pnlvlblt{\\pntxtb\\u8226 ?}}")
                                     << numbering(QStringLiteral("23 1 | U+2022 0 0"), 0);
    QTest::newRow("a long text is cut") << "{\\*\\pn\\pnlvlbody{\\pntxta " + QByteArray(100, 'x') + "}}"
                                        << numbering(QStringLiteral("0 1 |%1  0 0").arg(QString(64, QLatin1Char('x'))), 0);
    QTest::newRow("continued paragraph numbers nothing")
        << QByteArray("{\\*\\pn\\pnlvlcont{\\pntxtb x}}")
        << QStringList{QStringLiteral("startGroup()"), QStringLiteral("startGroup()"), QStringLiteral("endGroup()"),
                       QStringLiteral("endGroup()")};
    QTest::newRow("no level word numbers nothing")
        << QByteArray("{\\*\\pn\\pndec}") << QStringList{QStringLiteral("startGroup()"), QStringLiteral("endGroup()")};
    QTest::newRow("number text outside a numbering is dropped as before")
        << QByteArray("{\\pntxta .}") << QStringList{QStringLiteral("startGroup()"), QStringLiteral("endGroup()")};
}

void DestinationsTest::listParagraphs()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, calls);
    RecordingOutput output;
    QVERIFY(TestHelpers::parse("{\\rtf1 " + body + "}", &output));
    QCOMPARE(output.calls, calls);
}

// The calls of tables and sections, and the text between them.
static QStringList tableCalls(const QStringList &calls)
{
    static const QStringList names = {
        QStringLiteral("setParagraphTableLevel("), QStringLiteral("beginTableRowDefinition("),
        QStringLiteral("setTableRowFormat("),      QStringLiteral("appendTableCellDefinition("),
        QStringLiteral("endTableCell("),           QStringLiteral("endTableRow("),
        QStringLiteral("insertSectionBreak("),     QStringLiteral("resetSectionFormat("),
        QStringLiteral("setSectionBreak("),        QStringLiteral("resetParagraphFormat("),
        QStringLiteral("insertPar("),
    };
    QStringList kept;
    for (const QString &call : calls) {
        if (call.startsWith(QLatin1String("appendText(bytes:"))) {
            const QString text = call.mid(17).chopped(1).trimmed();
            if (!text.isEmpty())
                kept.append(text);
            continue;
        }
        if (std::any_of(names.cbegin(), names.cend(), [&call](const QString &name) { return call.startsWith(name); }))
            kept.append(call);
    }
    return kept;
}

void DestinationsTest::tableWords_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("row properties reach the output as they change")
        << QByteArray("{\\rtf1 \\trowd\\trgaph108\\trleft-108\\trqc\\trhdr\\cellx1000}")
        << QStringList{QStringLiteral("beginTableRowDefinition()"),
                       QStringLiteral("setTableRowFormat(gap=108,left=0,align=0,header=0)"),
                       QStringLiteral("setTableRowFormat(gap=108,left=-108,align=0,header=0)"),
                       QStringLiteral("setTableRowFormat(gap=108,left=-108,align=1,header=0)"),
                       QStringLiteral("setTableRowFormat(gap=108,left=-108,align=1,header=1)"),
                       QStringLiteral("appendTableCellDefinition(x=1000,merge=0,vmerge=0,valign=0,shading=-1,borders=- - - -)")};
    QTest::newRow("cell properties gather until their cellx")
        << QByteArray("{\\rtf1 \\trowd\\clvmgf\\clvertalb\\clcbpat3\\cellx1000\\clmgf\\cellx2000\\clmrg\\clvmrg\\clvertalc\\cellx3000}")
        << QStringList{QStringLiteral("beginTableRowDefinition()"),
                       QStringLiteral("appendTableCellDefinition(x=1000,merge=0,vmerge=1,valign=2,shading=3,borders=- - - -)"),
                       QStringLiteral("appendTableCellDefinition(x=2000,merge=1,vmerge=0,valign=0,shading=-1,borders=- - - -)"),
                       QStringLiteral("appendTableCellDefinition(x=3000,merge=2,vmerge=2,valign=1,shading=-1,borders=- - - -)")};
    QTest::newRow("cell borders, and borders of other things left alone")
        << QByteArray("{\\rtf1 \\trowd\\trbrdrt\\brdrs\\brdrw30\\clbrdrt\\brdrs\\brdrw10\\brdrcf2\\clbrdrl\\brdrnone"
                      "\\clbrdrb\\brdrdb\\clbrdrr\\brdrs\\brdrnil\\brdrt\\brdrs\\cellx1000}")
        << QStringList{QStringLiteral("beginTableRowDefinition()"),
                       QStringLiteral("appendTableCellDefinition(x=1000,merge=0,vmerge=0,valign=0,shading=-1,borders=10/2 - 0/-1 -)")};
    QTest::newRow("cells, rows and nesting levels")
        << QByteArray("{\\rtf1 \\pard\\intbl a\\cell\\itap2 b\\nestcell\\nestrow\\itap0\\row}")
        << QStringList{QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("a"),
                       QStringLiteral("endTableCell()"), QStringLiteral("setParagraphTableLevel(2)"), QStringLiteral("b"),
                       QStringLiteral("endTableCell(nested)"), QStringLiteral("endTableRow(nested)"),
                       QStringLiteral("setParagraphTableLevel(0)"), QStringLiteral("endTableRow()")};
    QTest::newRow("sections")
        << QByteArray("{\\rtf1 \\sbkodd a\\sect\\sectd\\sbknone b\\sect\\sbkcol\\sbkpage\\sbkeven c}")
        << QStringList{QStringLiteral("setSectionBreak(4)"), QStringLiteral("a"), QStringLiteral("insertSectionBreak()"),
                       QStringLiteral("resetSectionFormat()"), QStringLiteral("setSectionBreak(0)"), QStringLiteral("b"),
                       QStringLiteral("insertSectionBreak()"), QStringLiteral("setSectionBreak(1)"),
                       QStringLiteral("setSectionBreak(2)"), QStringLiteral("setSectionBreak(3)"), QStringLiteral("c")};
    QTest::newRow("the nested row's definition is read, the fallback is not")
        << QByteArray("{\\rtf1 x\\nestcell{\\*\\nesttableprops\\trowd\\cellx500\\nestrow}{\\nonesttables fallback\\par}y}")
        << QStringList{QStringLiteral("x"), QStringLiteral("endTableCell(nested)"), QStringLiteral("beginTableRowDefinition()"),
                       QStringLiteral("appendTableCellDefinition(x=500,merge=0,vmerge=0,valign=0,shading=-1,borders=- - - -)"),
                       QStringLiteral("endTableRow(nested)"), QStringLiteral("y")};
    QTest::newRow("itap without a number is not a level")
        << QByteArray("{\\rtf1 \\itap x}") << QStringList{QStringLiteral("x")};
}

void DestinationsTest::tableWords()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    RecordingOutput output;
    QVERIFY(TestHelpers::parse(rtf, &output));
    QCOMPARE(tableCalls(output.calls), expected);
}

// Tables as Word and LibreOffice write them: the row's definition before its
// cells, and Word's again before \\row.
void DestinationsTest::tableFixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");

    const QString wordHeaderCell = QStringLiteral(
        "appendTableCellDefinition(x=3008,merge=0,vmerge=0,valign=0,shading=2,borders=10/-1 10/-1 10/-1 10/-1)");
    const QString wordCentredCell = QStringLiteral(
        "appendTableCellDefinition(x=6125,merge=0,vmerge=0,valign=1,shading=-1,borders=10/-1 10/-1 10/-1 10/-1)");
    const QString wordCell = QStringLiteral(
        "appendTableCellDefinition(x=%1,merge=0,vmerge=0,valign=0,shading=-1,borders=10/-1 10/-1 10/-1 10/-1)");
    const QString headerRow = QStringLiteral("setTableRowFormat(gap=108,left=-108,align=0,header=1)");
    const QString plainRow = QStringLiteral("setTableRowFormat(gap=108,left=-108,align=0,header=0)");
    QStringList word = {
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(0)"), QStringLiteral("Before the table."),
        QStringLiteral("insertPar()"), QStringLiteral("beginTableRowDefinition()"),
        QStringLiteral("setTableRowFormat(gap=0,left=0,align=0,header=1)"),
        QStringLiteral("setTableRowFormat(gap=108,left=0,align=0,header=1)"), headerRow, wordHeaderCell, wordCentredCell,
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("Fruit"),
        QStringLiteral("endTableCell()"), QStringLiteral("Colour"), QStringLiteral("endTableCell()"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"),
        QStringLiteral("beginTableRowDefinition()"), QStringLiteral("setTableRowFormat(gap=0,left=0,align=0,header=1)"),
        QStringLiteral("setTableRowFormat(gap=108,left=0,align=0,header=1)"), headerRow, wordHeaderCell, wordCentredCell,
        QStringLiteral("endTableRow()"), QStringLiteral("beginTableRowDefinition()"),
        QStringLiteral("setTableRowFormat(gap=108,left=0,align=0,header=0)"), plainRow, wordCell.arg(3008), wordCell.arg(6125),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("Apple"),
        QStringLiteral("endTableCell()"), QStringLiteral("Red"), QStringLiteral("endTableCell()"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"),
        QStringLiteral("beginTableRowDefinition()"), QStringLiteral("setTableRowFormat(gap=108,left=0,align=0,header=0)"),
        plainRow, wordCell.arg(3008), wordCell.arg(6125), QStringLiteral("endTableRow()"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(0)"), QStringLiteral("After the table."),
        QStringLiteral("insertPar()")};
    QTest::newRow("Word") << QStringLiteral("structure-tables-word.rtf") << word;

    QStringList libreOffice = {
        QStringLiteral("resetSectionFormat()"), QStringLiteral("setSectionBreak(0)"), QStringLiteral("resetParagraphFormat()"), QStringLiteral("Before"),
        QStringLiteral("insertPar()"), QStringLiteral("beginTableRowDefinition()"),
        QStringLiteral("setTableRowFormat(gap=0,left=0,align=0,header=0)"),
        QStringLiteral("setTableRowFormat(gap=0,left=-55,align=0,header=0)"),
        QStringLiteral("appendTableCellDefinition(x=2352,merge=0,vmerge=0,valign=0,shading=-1,borders=10/1 10/1 10/1 -)"),
        QStringLiteral("appendTableCellDefinition(x=4759,merge=1,vmerge=0,valign=0,shading=-1,borders=10/1 10/1 10/1 -)"),
        QStringLiteral("appendTableCellDefinition(x=9694,merge=2,vmerge=0,valign=0,shading=-1,borders=10/2 10/1 10/1 10/1)"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("One"),
        QStringLiteral("endTableCell()"), QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"),
        QStringLiteral("Two and three"), QStringLiteral("endTableCell()"), QStringLiteral("resetParagraphFormat()"),
        QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("endTableCell()"), QStringLiteral("endTableRow()"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("beginTableRowDefinition()"),
        QStringLiteral("setTableRowFormat(gap=0,left=0,align=0,header=0)"),
        QStringLiteral("setTableRowFormat(gap=0,left=-55,align=0,header=0)"),
        QStringLiteral("appendTableCellDefinition(x=2352,merge=0,vmerge=0,valign=0,shading=-1,borders=- 10/1 10/1 -)"),
        QStringLiteral("appendTableCellDefinition(x=4759,merge=0,vmerge=0,valign=0,shading=-1,borders=- 10/1 10/1 -)"),
        QStringLiteral("appendTableCellDefinition(x=9694,merge=0,vmerge=0,valign=0,shading=-1,borders=- 10/1 10/1 10/1)"),
        QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("Four"),
        QStringLiteral("endTableCell()"), QStringLiteral("resetParagraphFormat()"), QStringLiteral("setParagraphTableLevel(1)"),
        QStringLiteral("Five"), QStringLiteral("endTableCell()"), QStringLiteral("resetParagraphFormat()"),
        QStringLiteral("setParagraphTableLevel(1)"), QStringLiteral("Six"), QStringLiteral("endTableCell()"),
        QStringLiteral("endTableRow()"), QStringLiteral("resetParagraphFormat()"), QStringLiteral("resetParagraphFormat()"),
        QStringLiteral("After"), QStringLiteral("insertPar()")};
    QTest::newRow("LibreOffice") << QStringLiteral("structure-tables-libreoffice.rtf") << libreOffice;
}

void DestinationsTest::tableFixtures()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);

    RecordingOutput output;
    QVERIFY(TestHelpers::parse(TestHelpers::readFile(TestHelpers::dataFile(file)), &output));
    const QStringList calls = tableCalls(output.calls);
    if (calls != expected)
        qDebug().noquote() << calls.join(QLatin1Char('\n'));
    QCOMPARE(calls, expected);
}

// Fields, notes, comments, headers and footers, text boxes: the calls other
// than the group boundaries, which the tests above already follow.
void DestinationsTest::structure_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("calls");

    auto text = [](const char *t) { return QStringLiteral("appendText(bytes:%1)").arg(QLatin1String(t)); };
    const QString endField = QStringLiteral("endField()");
    const QString endLink = QStringLiteral("endLink()");

    QTest::newRow("hyperlink with tool tip")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"https://a.example/x\" \\\\o \"Tip\"}{\\fldrslt {\\ul go}}}")
        << true
        << QStringList{QStringLiteral("beginField(HYPERLINK \"https://a.example/x\" \\o \"Tip\")"),
                       QStringLiteral("beginLink(https://a.example/x,Tip)"), QStringLiteral("setFontUnderline(1)"),
                       text("go"), endLink, endField};
    QTest::newRow("instruction in runs with escapes")
        << QByteArray("{\\field{\\*\\fldinst {\\rtlch\\fcs1 HYPER}{LINK \"http://caf\\'e9.example/\\u8364?\" }}"
                      "{\\fldrslt x}}")
        << true
        << QStringList{QStringLiteral("beginField(HYPERLINK \"http://caf\u00e9.example/\u20ac\")"),
                       QStringLiteral("beginLink(http://caf\u00e9.example/\u20ac,)"), text("x"), endLink, endField};
    QTest::newRow("other field shows its result")
        << QByteArray("{\\field{\\*\\fldinst DATE \\\\@ \"d MMMM\"}{\\fldrslt 4 May}}") << true
        << QStringList{QStringLiteral("beginField(DATE \\@ \"d MMMM\")"), text("4 May"), endField};
    QTest::newRow("field without result")
        << QByteArray("a{\\field{\\*\\fldinst PAGE}}b") << true
        << QStringList{text("a"), QStringLiteral("beginField(PAGE)"), endField, text("b")};
    QTest::newRow("page number symbol")
        << QByteArray("Page \\chpgn") << true
        << QStringList{text("Page "), QStringLiteral("beginField(PAGE)"), endField};
    QTest::newRow("fldinst without the star")
        << QByteArray("{\\field{\\fldinst PAGE}{\\fldrslt 2}}") << true
        << QStringList{QStringLiteral("beginField(PAGE)"), text("2"), endField};
    QTest::newRow("nested fields")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK u}{\\fldrslt p{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}}")
        << true
        << QStringList{QStringLiteral("beginField(HYPERLINK u)"), QStringLiteral("beginLink(u,)"), text("p"),
                       QStringLiteral("beginField(PAGE)"), text("3"), endField, endLink, endField};
    QTest::newRow("field inside an instruction is instruction text")
        << QByteArray("{\\field{\\*\\fldinst IF {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} = 1 \"one\"}{\\fldrslt one}}")
        << true << QStringList{QStringLiteral("beginField(IF PAGE1 = 1 \"one\")"), text("one"), endField};
    QTest::newRow("form field data is not instruction text")
        << QByteArray("{\\field{\\*\\fldinst { FORMTEXT }{\\*\\datafield 8001000000}}{\\fldrslt x}}") << true
        << QStringList{QStringLiteral("beginField(FORMTEXT)"), text("x"), endField};
    QTest::newRow("bookmark")
        << QByteArray("{\\*\\bkmkstart _Ref1}x{\\*\\bkmkend _Ref1}") << true
        << QStringList{QStringLiteral("setBookmarkStart(_Ref1)"), text("x"), QStringLiteral("setBookmarkEnd(_Ref1)")};

    QTest::newRow("footnote")
        << QByteArray("a{\\super\\chftn}{\\footnote \\pard{\\super\\chftn} Note.}b") << true
        << QStringList{text("a"), QStringLiteral("setFontSuperscript()"), QStringLiteral("insertNoteReferenceMark()"),
                       QStringLiteral("beginNote(footnote)"), QStringLiteral("resetParagraphFormat()"),
                       QStringLiteral("setFontSuperscript()"), QStringLiteral("insertNoteReferenceMark()"),
                       text(" Note."), QStringLiteral("endNote()"), text("b")};
    QTest::newRow("endnote")
        << QByteArray("\\chftn{\\footnote\\ftnalt \\pard x}") << true
        << QStringList{QStringLiteral("insertNoteReferenceMark()"), QStringLiteral("beginNote(endnote)"),
                       QStringLiteral("resetParagraphFormat()"), text("x"), QStringLiteral("endNote()")};
    QTest::newRow("empty note")
        << QByteArray("{\\footnote}") << true
        << QStringList{QStringLiteral("beginNote(footnote)"), QStringLiteral("endNote()")};
    QTest::newRow("note dropped with everything in it")
        << QByteArray("a{\\footnote x{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}{\\footnote y}{\\pict\\pngblip 00}}b")
        << false << QStringList{text("a"), QStringLiteral("beginNote(footnote)"), text("b")};
    QTest::newRow("note numbering")
        << QByteArray("\\ftnnrlc\\aftnnauc\\ftnnchi\\aftnnar\\ftnstart5\\aftnstart0") << true
        << QStringList{QStringLiteral("setNoteNumbering(0,3)"), QStringLiteral("setNoteNumbering(1,2)"),
                       QStringLiteral("setNoteNumbering(0,5)"), QStringLiteral("setNoteNumbering(1,0)"),
                       QStringLiteral("setNoteStartNumber(0,5)"), QStringLiteral("setNoteStartNumber(1,0)")};

    // Word 2016: the range, then initials and author, then the comment.
    QTest::newRow("comment")
        << QByteArray("{\\*\\atrfstart 304}c{\\*\\atrfend 304}{\\*\\atnid AB}{\\*\\atnauthor Ann Bee}\\chatn "
                      "{\\*\\annotation{\\*\\atnref 304}{\\*\\atndate 130363848}\\pard {\\chatn }x}")
        << true
        << QStringList{QStringLiteral("setCommentRangeStart(304)"), text("c"), QStringLiteral("setCommentRangeEnd(304)"),
                       QStringLiteral("beginComment(304,Ann Bee,AB,2024-05-06T07:08:00)"),
                       QStringLiteral("resetParagraphFormat()"), text("x"), QStringLiteral("endComment()")};
    QTest::newRow("comment without author or date")
        << QByteArray("{\\*\\annotation x}") << true
        << QStringList{QStringLiteral("beginComment(,,,)"), text("x"), QStringLiteral("endComment()")};
    QTest::newRow("author kept for one comment only")
        << QByteArray("{\\*\\atnauthor A}{\\*\\annotation x}{\\*\\annotation y}") << false
        << QStringList{QStringLiteral("beginComment(,A,,)"), QStringLiteral("beginComment(,,,)")};

    QTest::newRow("headers and footers")
        << QByteArray("\\facingp\\titlepg{\\header \\pard h\\par}{\\footerf f}{\\headerl l}{\\footerr r}") << true
        << QStringList{QStringLiteral("setFacingPages(1)"), QStringLiteral("setTitlePage(1)"),
                       QStringLiteral("beginHeaderFooter(0)"), QStringLiteral("resetParagraphFormat()"), text("h"),
                       QStringLiteral("insertPar()"), QStringLiteral("endHeaderFooter()"),
                       QStringLiteral("beginHeaderFooter(7)"), text("f"), QStringLiteral("endHeaderFooter()"),
                       QStringLiteral("beginHeaderFooter(1)"), text("l"), QStringLiteral("endHeaderFooter()"),
                       QStringLiteral("beginHeaderFooter(6)"), text("r"), QStringLiteral("endHeaderFooter()")};
    QTest::newRow("header dropped")
        << QByteArray("{\\header h{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}b") << false
        << QStringList{QStringLiteral("beginHeaderFooter(0)"), text("b")};

    QTest::newRow("shape text replaces the fallback")
        << QByteArray("{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn fillColor}{\\sv 255}}{\\shptxt \\pard box\\par}}"
                      "{\\shprslt fallback}}")
        << true
        << QStringList{QStringLiteral("beginTextBox()"), QStringLiteral("resetParagraphFormat()"), text("box"),
                       QStringLiteral("insertPar()"), QStringLiteral("endTextBox()")};
    QTest::newRow("shape without text shows its fallback")
        << QByteArray("{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 1}}}{\\shprslt fallback}}") << true
        << QStringList{text("fallback")};
    QTest::newRow("picture shape drops its fallback")
        << QByteArray("{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw1\\pich1 }}}}{\\shprslt fallback}}")
        << true << QStringList{};
    QTest::newRow("old drawing object text box")
        << QByteArray("{\\*\\do\\dobxcolumn\\dptxbx{\\dptxbxtext \\pard old}}") << true
        << QStringList{QStringLiteral("beginTextBox()"), QStringLiteral("resetParagraphFormat()"), text("old"),
                       QStringLiteral("endTextBox()")};
}

void DestinationsTest::structure()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, accept);
    QFETCH(QStringList, calls);

    RecordingOutput output;
    output.acceptSubDocuments = accept;
    QVERIFY(TestHelpers::parse("{\\rtf1 " + body + "}", &output));
    QStringList recorded;
    for (const QString &call : std::as_const(output.calls)) {
        if (call != QLatin1String("startGroup()") && call != QLatin1String("endGroup()")
            && !call.startsWith(QLatin1String("createImage(")))
            recorded.append(call);
    }
    QCOMPARE(recorded, calls);
    QVERIFY(!output.unbalancedEndGroup);
    QCOMPARE(output.startGroups, output.endGroups);
}

void DestinationsTest::hyperlinkInstruction_data()
{
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("quoted") << QStringLiteral("HYPERLINK \"http://a.example/\"") << QStringLiteral("http://a.example/")
                            << QString();
    QTest::newRow("unquoted, lower case") << QStringLiteral("hyperlink http://a.example/x")
                                          << QStringLiteral("http://a.example/x") << QString();
    QTest::newRow("bookmark") << QStringLiteral("HYPERLINK \\l \"_Toc1\"") << QStringLiteral("#_Toc1") << QString();
    QTest::newRow("url and bookmark") << QStringLiteral("HYPERLINK \"doc.rtf\" \\l \"part\"")
                                      << QStringLiteral("doc.rtf#part") << QString();
    QTest::newRow("switches before the url") << QStringLiteral("HYPERLINK \\o \"Say \\\"hi\\\"\" \\t \"_blank\" \"u\"")
                                             << QStringLiteral("u") << QStringLiteral("Say \"hi\"");
    QTest::newRow("url with spaces") << QStringLiteral("HYPERLINK \"file:///C:/My Files/a.doc\"")
                                     << QStringLiteral("file:///C:/My Files/a.doc") << QString();
    QTest::newRow("no target") << QStringLiteral("HYPERLINK") << QString() << QString();
    QTest::newRow("unterminated quote") << QStringLiteral("HYPERLINK \"http://a") << QStringLiteral("http://a")
                                        << QString();
    QTest::newRow("other field") << QStringLiteral("REF _Ref1 \\h") << QString() << QString();
}

void DestinationsTest::hyperlinkInstruction()
{
    QFETCH(QString, instruction);
    QFETCH(QString, href);
    QFETCH(QString, toolTip);

    const FieldDestination::Link link = FieldDestination::parseHyperlink(instruction);
    QCOMPARE(link.href, href);
    QCOMPARE(link.toolTip, toolTip);
}

void DestinationsTest::commentDate_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QDateTime>("date");

    // Minutes, hours, day, month and years since 1900 packed from bit 0 up;
    // the day of the week in the top bits is ignored.
    QTest::newRow("2024-05-06 07:08") << qint64(130363848) << QDateTime(QDate(2024, 5, 6), QTime(7, 8));
    QTest::newRow("no day") << qint64(0) << QDateTime();
    QTest::newRow("month 13") << qint64((13 << 16) | (1 << 11)) << QDateTime();
}

void DestinationsTest::commentDate()
{
    QFETCH(qint64, value);
    QFETCH(QDateTime, date);
    QCOMPARE(CommentPartDestination::dateFromDttm(value), date);
}

QTEST_GUILESS_MAIN(DestinationsTest)

#include "destinationstest.moc"

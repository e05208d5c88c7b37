// Tests of the destination handlers: each is driven through a Reader from a
// small RTF text, and the calls that reach a recording output are compared.

#include "recordingoutput.h"
#include "testhelpers.h"

#include "destinations/destination.h"

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
    row("capitals match nothing", "\\B\\ulnone", QStringList());
    row("font size in half-points", "\\fs23\\fs-5\\fs1",
        QStringList{QStringLiteral("setFontPointSize(11)"), QStringLiteral("setFontPointSize(-2)"),
                    QStringLiteral("setFontPointSize(0)")});
    row("font size default", "\\fs\\fs0",
        QStringList{QStringLiteral("setFontPointSize(12)"), QStringLiteral("setFontPointSize(12)")});
    row("colours", "\\cf2\\cbpat3\\highlight4\\cf",
        QStringList{QStringLiteral("setForegroundColour(2)"), QStringLiteral("setParagraphPatternBackgroundColour(3)"),
                    QStringLiteral("setHighlightColour(4)"), QStringLiteral("setForegroundColour(0)")});
    row("cb sets nothing", "\\cb5", QStringList());
    row("fonts", "\\deff1\\f2\\deff\\f",
        QStringList{QStringLiteral("setDefaultFont(1)"), QStringLiteral("setFont(2)"), QStringLiteral("setFont(0)")});
    row("super and sub ignore the parameter", "\\super0\\sub\\nosupersub",
        QStringList{QStringLiteral("setFontSuperscript()"), QStringLiteral("setFontSubscript()")});
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
    row("field result is body text", "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}",
        QStringList{QStringLiteral("startGroup()"), QStringLiteral("startGroup()"), QStringLiteral("endGroup()"),
                    QStringLiteral("startGroup()"), QStringLiteral("appendText(bytes:link)"),
                    QStringLiteral("endGroup()"), QStringLiteral("endGroup()")});
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
    QTest::newRow("skip outlives the group")
        << QByteArray("{\\u8364}abc")
        << QStringList{QStringLiteral("startGroup()"), euro, QStringLiteral("endGroup()"), text("bc")};
    QTest::newRow("control words do not count")
        << QByteArray("\\u8364\\par\\~?x")
        << QStringList{euro, QStringLiteral("insertPar()"), QStringLiteral("appendText(string:U+00A0)"), text("x")};
    QTest::newRow("negative value") << QByteArray("\\u-3913?") << QStringList{QStringLiteral("appendText(string:U+F0B7)")};
    QTest::newRow("low 16 bits") << QByteArray("\\u65601?") << QStringList{QStringLiteral("appendText(string:U+0041)")};
    QTest::newRow("surrogate pair arrives as two units")
        << QByteArray("\\u-10179?\\u-8704?")
        << QStringList{QStringLiteral("appendText(string:U+D83D)"), QStringLiteral("appendText(string:U+DE00)")};
    QTest::newRow("u without parameter") << QByteArray("\\u ?") << QStringList{text("?")};
    QTest::newRow("skip counts bytes, not characters")
        << QByteArray("\\uc3\\u8364 ab") << QStringList{euro};
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
    QTest::newRow("destination word") << QByteArray("{\\field x}")
                                      << QStringList{QStringLiteral(
                                             "unhandled *Destination* control word in DocumentDestination: \"field\"")};
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

QTEST_GUILESS_MAIN(DestinationsTest)

#include "destinationstest.moc"

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

// ---- style sheet, pictures and information group ----

QTEST_GUILESS_MAIN(DestinationsTest)

#include "destinationstest.moc"

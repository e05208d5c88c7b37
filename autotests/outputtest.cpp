// Tests of the output interface: the metadata every output stores, user
// properties, and the font and style-sheet entries.

#include "recordingoutput.h"
#include "testhelpers.h"

#include <QTest>

using namespace Tavisk;

class OutputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshOutputHasNoMetadata();
    void settersReplace();
    void userProperties();
    void secondParseKeepsWhatItDoesNotSet();
    void fontTableEntry();
    void styleSheetEntry();
    void entriesDetachOnWrite();
    void formatDefaultsKeepEarlierCalls();
};

void OutputTest::freshOutputHasNoMetadata()
{
    const RecordingOutput output;
    for (const QString &text : {output.author(), output.companyName(), output.title(), output.subject(),
                                output.operatorName(), output.managerName(), output.comment(),
                                output.documentComment(), output.keywords(), output.category(), output.hLinkBase(),
                                output.generatorInformation()})
        QVERIFY(text.isNull());
    QVERIFY(!output.created().isValid());
    QVERIFY(!output.revised().isValid());
    QVERIFY(!output.printed().isValid());
    for (int count : {output.totalEditingTime(), output.numberOfPages(), output.numberOfWords(),
                      output.numberOfCharacters(), output.numberOfCharactersWithoutSpaces(), output.versionNumber(),
                      output.internalVersionNumber()})
        QCOMPARE(count, -1);
    QVERIFY(output.userPropNames().isEmpty());
    QVERIFY(!output.userProp(QStringLiteral("anything")).isValid());
}

void OutputTest::settersReplace()
{
    RecordingOutput output;
    output.setTitle(QStringLiteral("first"));
    output.setTitle(QStringLiteral("second"));
    QCOMPARE(output.title(), QStringLiteral("second"));

    const QDateTime created(QDate(2001, 2, 3), QTime(4, 5));
    output.setCreatedDateTime(created);
    QCOMPARE(output.created(), created);
    output.setCreatedDateTime(QDateTime());
    QVERIFY(!output.created().isValid());

    output.setNumberOfWords(42);
    QCOMPARE(output.numberOfWords(), 42);
    output.setNumberOfWords(-7);
    QCOMPARE(output.numberOfWords(), -7);

    // Each setter reaches its own field.
    output.setAuthor(QStringLiteral("a"));
    output.setCompanyName(QStringLiteral("c"));
    output.setOperatorName(QStringLiteral("o"));
    output.setVersionNumber(3);
    output.setInternalVersionNumber(4);
    QCOMPARE(output.author(), QStringLiteral("a"));
    QCOMPARE(output.companyName(), QStringLiteral("c"));
    QCOMPARE(output.operatorName(), QStringLiteral("o"));
    QCOMPARE(output.versionNumber(), 3);
    QCOMPARE(output.internalVersionNumber(), 4);
    QVERIFY(output.subject().isNull());
}

void OutputTest::userProperties()
{
    RecordingOutput output;
    output.addUserProp(QStringLiteral("A"), 1);
    output.addUserProp(QStringLiteral("A"), 2);
    QCOMPARE(output.userProp(QStringLiteral("A")), QVariant(2));
    QCOMPARE(output.userPropNames(), QStringList{QStringLiteral("A")});

    output.addUserProp(QStringLiteral("a"), QStringLiteral("lower"));
    QStringList names = output.userPropNames();
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("A"), QStringLiteral("a")}));

    // A lookup never inserts.
    QVERIFY(!output.userProp(QStringLiteral("missing")).isValid());
    QCOMPARE(output.userPropNames().size(), 2);
}

void OutputTest::secondParseKeepsWhatItDoesNotSet()
{
    RecordingOutput output;
    output.setTitle(QStringLiteral("kept"));
    output.addUserProp(QStringLiteral("kept"), 1);
    QVERIFY(TestHelpers::parse("{\\rtf1 body}", &output));
    QCOMPARE(output.title(), QStringLiteral("kept"));
    QCOMPARE(output.userProp(QStringLiteral("kept")), QVariant(1));
}

void OutputTest::fontTableEntry()
{
    FontTableEntry entry;
    QCOMPARE(entry.fontFamily(), FontFamily::Nil);
    QCOMPARE(entry.fontPitch(), FontPitch::Default);
    QVERIFY(entry.fontName().isNull());
    QVERIFY(entry.encoding().isNull());

    entry.setFontFamily(FontFamily::Swiss);
    entry.setFontName(QStringLiteral("Arial"));
    entry.setEncoding(QStringLiteral("Windows-1252"));
    QCOMPARE(entry.fontFamily(), FontFamily::Swiss);
    QCOMPARE(entry.fontName(), QStringLiteral("Arial"));
    QCOMPARE(entry.encoding(), QStringLiteral("Windows-1252"));

    // The pitch is stored in one byte: a number above 255 keeps its low bits.
    entry.setFontPitch(FontPitch(quint8(300)));
    QCOMPARE(int(entry.fontPitch()), 44);
    entry.setFontPitch(FontPitch(3));
    QCOMPARE(int(entry.fontPitch()), 3);

    const FontTableEntry &self = entry;
    entry = self;
    QCOMPARE(entry.fontName(), QStringLiteral("Arial"));
}

void OutputTest::styleSheetEntry()
{
    StyleSheetTableEntry entry;
    QVERIFY(entry.styleName().isNull());
    QCOMPARE(entry.textAlignment(), TextAlignment::Left);
    QCOMPARE(entry.leftIndent(), 0);
    QCOMPARE(entry.rightIndent(), 0);
    QCOMPARE(entry.topMargin(), 0);
    QCOMPARE(entry.layoutDirection(), Qt::LeftToRight);

    entry.setStyleName(QStringLiteral("Heading 1"));
    entry.setLeftIndent(-360);
    entry.setRightIndent(720);
    entry.setTopMargin(240);
    entry.setLayoutDirection(Qt::RightToLeft);
    QCOMPARE(entry.styleName(), QStringLiteral("Heading 1"));
    QCOMPARE(entry.leftIndent(), -360);
    QCOMPARE(entry.rightIndent(), 720);
    QCOMPARE(entry.topMargin(), 240);
    QCOMPARE(entry.layoutDirection(), Qt::RightToLeft);
}

void OutputTest::entriesDetachOnWrite()
{
    FontTableEntry a;
    a.setFontName(QStringLiteral("old"));
    FontTableEntry b(a);
    b.setFontName(QStringLiteral("new"));
    QCOMPARE(a.fontName(), QStringLiteral("old"));
    QCOMPARE(b.fontName(), QStringLiteral("new"));

    StyleSheetTableEntry s;
    s.setLeftIndent(10);
    StyleSheetTableEntry t;
    t = s;
    t.setLeftIndent(20);
    QCOMPARE(s.leftIndent(), 10);
    QCOMPARE(t.leftIndent(), 20);
}

void OutputTest::formatDefaultsKeepEarlierCalls()
{
    // An output that does not implement the later format operations sees
    // what it saw before they existed: an underline of any kind as an
    // underline, a page break as a paragraph end, and nothing for the rest.
    using Base = AbstractRtfOutput;
    RecordingOutput output;
    output.Base::setFontUnderlineStyle(Base::UnderlineStyle::DoubleWave);
    output.Base::setFontUnderlineStyle(Base::UnderlineStyle::None);
    output.Base::insertPageBreak();
    output.Base::setUnderlineColour(2);
    output.Base::setFontAllCapitals(true);
    output.Base::setFontSmallCapitals(true);
    output.Base::setFontBaselineShift(6);
    output.Base::setFontNormalScript();
    output.Base::setFontHidden(true);
    output.Base::setLineSpacing(360, true);
    output.Base::addTabStop(720, Base::TabAlignment::Right, Base::TabLeader::Dots);
    output.Base::setKeepTogether(true);
    output.Base::setKeepWithNext(true);
    output.Base::setPageBreakBefore(true);
    output.Base::setParagraphDirectionRightToLeft();
    output.Base::setParagraphDirectionLeftToRight();
    output.Base::setParagraphStyle(1);
    QCOMPARE(output.calls, (QStringList{QStringLiteral("setFontUnderline(1)"), QStringLiteral("setFontUnderline(0)"),
                                        QStringLiteral("insertPar()")}));
}

QTEST_GUILESS_MAIN(OutputTest)

#include "outputtest.moc"

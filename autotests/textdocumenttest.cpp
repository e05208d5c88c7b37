// Tests of the QTextDocument output: RTF is parsed into a document, and the
// document is walked block by block and fragment by fragment.

#include "recordingoutput.h"
#include "testhelpers.h"

#include <tavisk/textdocumentrtfoutput.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

using namespace Tavisk;

namespace
{
QString number(double value)
{
    return QString::number(value);
}

QString brushColour(const QVariant &value)
{
    return value.value<QBrush>().color().name();
}

// The properties of a character format, in a fixed order, as one line:
// "size=12 weight=700 italic fg=#ff0000". Properties that the output never
// sets show as their number, so a stray one is noticed.
QString describe(const QTextCharFormat &format)
{
    QStringList items;
    if (format.hasProperty(QTextFormat::FontPointSize))
        items.append(QStringLiteral("size=") + number(format.doubleProperty(QTextFormat::FontPointSize)));
    if (format.hasProperty(QTextFormat::FontWeight))
        items.append(QStringLiteral("weight=%1").arg(format.intProperty(QTextFormat::FontWeight)));
    if (format.hasProperty(QTextFormat::FontItalic))
        items.append(format.boolProperty(QTextFormat::FontItalic) ? QStringLiteral("italic") : QStringLiteral("upright"));
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        items.append(QStringLiteral("underline=%1").arg(format.intProperty(QTextFormat::TextUnderlineStyle)));
    if (format.hasProperty(QTextFormat::FontStrikeOut))
        items.append(format.boolProperty(QTextFormat::FontStrikeOut) ? QStringLiteral("strike") : QStringLiteral("nostrike"));
    if (format.hasProperty(QTextFormat::TextVerticalAlignment))
        items.append(QStringLiteral("valign=%1").arg(format.intProperty(QTextFormat::TextVerticalAlignment)));
    if (format.hasProperty(QTextFormat::LayoutDirection))
        items.append(QStringLiteral("dir=%1").arg(format.intProperty(QTextFormat::LayoutDirection)));
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        items.append(QStringLiteral("fg=") + brushColour(format.property(QTextFormat::ForegroundBrush)));
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        items.append(QStringLiteral("bg=") + brushColour(format.property(QTextFormat::BackgroundBrush)));
    if (format.hasProperty(QTextFormat::FontFamilies))
        items.append(QStringLiteral("font=") + format.property(QTextFormat::FontFamilies).toStringList().join(QLatin1Char(',')));

    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        switch (it.key()) {
        case QTextFormat::FontPointSize:
        case QTextFormat::FontWeight:
        case QTextFormat::FontItalic:
        case QTextFormat::TextUnderlineStyle:
        case QTextFormat::FontStrikeOut:
        case QTextFormat::TextVerticalAlignment:
        case QTextFormat::LayoutDirection:
        case QTextFormat::ForegroundBrush:
        case QTextFormat::BackgroundBrush:
        case QTextFormat::FontFamilies:
        case QTextFormat::ObjectIndex:
            break;
        default:
            items.append(QStringLiteral("prop%1").arg(it.key(), 0, 16));
            break;
        }
    }
    return items.join(QLatin1Char(' '));
}

QString describe(const QTextBlockFormat &format)
{
    QStringList items;
    const struct {
        int property;
        const char *name;
    } lengths[] = {
        {QTextFormat::TextIndent, "indent="},
        {QTextFormat::BlockLeftMargin, "left="},
        {QTextFormat::BlockRightMargin, "right="},
        {QTextFormat::BlockTopMargin, "top="},
        {QTextFormat::BlockBottomMargin, "bottom="},
    };
    if (format.hasProperty(QTextFormat::BlockAlignment))
        items.append(QStringLiteral("align=%1").arg(format.intProperty(QTextFormat::BlockAlignment)));
    for (const auto &length : lengths) {
        if (format.hasProperty(length.property))
            items.append(QLatin1String(length.name) + number(format.doubleProperty(length.property)));
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        items.append(QStringLiteral("bg=") + brushColour(format.property(QTextFormat::BackgroundBrush)));
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        switch (it.key()) {
        case QTextFormat::BlockAlignment:
        case QTextFormat::TextIndent:
        case QTextFormat::BlockLeftMargin:
        case QTextFormat::BlockRightMargin:
        case QTextFormat::BlockTopMargin:
        case QTextFormat::BlockBottomMargin:
        case QTextFormat::BackgroundBrush:
        case QTextFormat::ObjectIndex:
            break;
        default:
            items.append(QStringLiteral("prop%1").arg(it.key(), 0, 16));
            break;
        }
    }
    return items.join(QLatin1Char(' '));
}

// Every fragment as "text|format"; fragments of different blocks are
// separated by an entry "<par>".
QStringList fragments(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            result.append(QStringLiteral("<par>"));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            result.append(fragment.text() + QLatin1Char('|') + describe(fragment.charFormat()));
        }
    }
    return result;
}

// Every block as "text|format".
QStringList blocks(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        result.append(block.text() + QLatin1Char('|') + describe(block.blockFormat()));
    return result;
}

// The text of every block, joined with '\n'; unlike toPlainText(), line
// separators and no-break spaces are left as they are.
QString rawText(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        result.append(block.text());
    return result.join(QLatin1Char('\n'));
}

bool parseInto(const QByteArray &rtf, QTextDocument *document)
{
    TextDocumentRtfOutput output(document);
    return TestHelpers::parse(rtf, &output);
}

FontTableEntry fontEntry(const QString &name, const QString &encoding)
{
    FontTableEntry entry;
    entry.setFontName(name);
    entry.setEncoding(encoding);
    return entry;
}

// Remembers whether any text that is more than white space reached the
// output, so the corpus test can tell documents with body text.
class TextSeenOutput : public TextDocumentRtfOutput
{
public:
    using TextDocumentRtfOutput::TextDocumentRtfOutput;

    bool textSeen = false;

    void appendText(const QByteArray &text) override
    {
        if (!textSeen && !convertText(text).trimmed().isEmpty())
            textSeen = true;
        TextDocumentRtfOutput::appendText(text);
    }
    void appendText(const QString &text) override
    {
        if (!textSeen && !text.trimmed().isEmpty())
            textSeen = true;
        TextDocumentRtfOutput::appendText(text);
    }
};

// Reads the document at every paragraph end, as a subclass that reports
// progress or counts pages during a parse would.
class ParagraphWatchingOutput : public TextDocumentRtfOutput
{
public:
    ParagraphWatchingOutput(QTextDocument *document)
        : TextDocumentRtfOutput(document)
        , m_document(document)
    {
    }

    QStringList seen;

    void insertPar() override
    {
        flush();
        seen.append(m_document->toPlainText());
        TextDocumentRtfOutput::insertPar();
    }

private:
    QTextDocument *m_document;
};
} // namespace

class TextDocumentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scripts_data();
    void scripts();
    void characterFormats_data();
    void characterFormats();
    void paragraphFormats_data();
    void paragraphFormats();
    void text_data();
    void text();

    void conversionEncodings_data();
    void conversionEncodings();
    void multiByteCharacterAcrossCalls();
    void fontSelectionMessages();
    void pageSizeOnlyLogged();
    void styleSheetEntryStoredOnly();
    void createImage();
    void endGroupKeepsBaseFormat();
    void documentIsNotCleared();

    void corpus_data();
    void corpus();
    void fuzzRegressions_data();
    void fuzzRegressions();

    void gatheredText_data();
    void gatheredText();
    void textWithoutReaderReachesDocumentAtOnce();
    void flushDuringParse();
    void fromRtf_data();
    void fromRtf();
    void hostileInput_data();
    void hostileInput();
    void truncatedDestinations_data();
    void truncatedDestinations();
    // Fields, notes, comments, headers and footers, text boxes
    void structure_data();
    void structure();
    void headersAndFooters();
    void headerInsideTableCell();
    void structureCorpus_data();
    void structureCorpus();
    void noteNumbers_data();
    void noteNumbers();
};

void TextDocumentTest::scripts_data()
{
    QTest::addColumn<QString>("rtfFile");
    QTest::addColumn<QString>("textFile");

    // Each document beside the exact text it holds, UTF-8 encoded.
    const QDir dir(TestHelpers::dataFile(QStringLiteral("scripts")));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files) {
        QString text = file;
        text.replace(QLatin1String(".rtf"), QLatin1String(".txt"));
        QTest::newRow(qPrintable(file)) << dir.filePath(file) << dir.filePath(text);
    }
}

void TextDocumentTest::scripts()
{
    QFETCH(QString, rtfFile);
    QFETCH(QString, textFile);

    QFile rtf(rtfFile);
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QFile text(textFile);
    QVERIFY(text.open(QIODevice::ReadOnly));

    QTextDocument document;
    QVERIFY(parseInto(rtf.readAll(), &document));
    QCOMPARE(rawText(document), QString::fromUtf8(text.readAll()));
}

void TextDocumentTest::characterFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    const QByteArray colours = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    const QByteArray fonts = "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss Arial;}}";

    QTest::newRow("group end restores the format")
        << QByteArray("{\\rtf1 {\\b bold} plain}") << QStringList{QStringLiteral("bold|size=12 weight=700"), QStringLiteral(" plain|size=12")};
    QTest::newRow("nested groups")
        << QByteArray("{\\rtf1 {\\b a{\\i b{\\ul c}d}e}f}")
        << QStringList{QStringLiteral("a|size=12 weight=700"), QStringLiteral("b|size=12 weight=700 italic"),
                       QStringLiteral("c|size=12 weight=700 italic underline=1"), QStringLiteral("d|size=12 weight=700 italic"),
                       QStringLiteral("e|size=12 weight=700"), QStringLiteral("f|size=12")};
    QTest::newRow("toggles switched off with 0")
        << QByteArray("{\\rtf1 \\i\\ul\\strike x\\i0\\ul0\\strike0 y}")
        << QStringList{QStringLiteral("x|size=12 italic underline=1 strike"), QStringLiteral("y|size=12 upright underline=0 nostrike")};
    // Text before any formatting word or group end takes the document's own
    // format: the 12-point base reaches the cursor only with a change.
    QTest::newRow("superscript and subscript")
        << QByteArray("{\\rtf1 a{\\super b}{\\sub c}d}")
        << QStringList{QStringLiteral("a|"), QStringLiteral("b|size=12 valign=1"), QStringLiteral("c|size=12 valign=2"),
                       QStringLiteral("d|size=12")};
    QTest::newRow("point sizes from half-points")
        << QByteArray("{\\rtf1 \\fs36 big\\fs0 default\\fs15 odd}")
        << QStringList{QStringLiteral("big|size=18"), QStringLiteral("default|size=12"), QStringLiteral("odd|size=7")};
    QTest::newRow("plain keeps strike-out and raise")
        << QByteArray("{\\rtf1 \\b\\i\\ul\\fs40\\strike\\super text\\plain more}")
        << QStringList{QStringLiteral("text|size=20 weight=700 italic underline=1 strike valign=1"),
                       QStringLiteral("more|size=12 weight=400 upright underline=0 strike valign=1")};
    QTest::newRow("text direction") << QByteArray("{\\rtf1 \\rtlch r\\ltrch l}")
                                    << QStringList{QStringLiteral("r|size=12 dir=1"), QStringLiteral("l|size=12 dir=0")};
    QTest::newRow("colours by index")
        << "{\\rtf1" + colours + "\\cf1 red\\cf2 blue\\cf7 past\\cf1 r\\cf-1 neg\\cf1 r\\cf0 auto\\highlight2 hl\\highlight0 nohl}"
        << QStringList{QStringLiteral("red|size=12 fg=#ff0000"), QStringLiteral("blue|size=12 fg=#0000ff"),
                       QStringLiteral("past|size=12"),           QStringLiteral("r|size=12 fg=#ff0000"),
                       QStringLiteral("neg|size=12"),            QStringLiteral("r|size=12 fg=#ff0000"),
                       QStringLiteral("auto|size=12"),           QStringLiteral("hl|size=12 bg=#0000ff"),
                       QStringLiteral("nohl|size=12")};
    QTest::newRow("colour comes back at group end")
        << "{\\rtf1" + colours + "\\cf1 a{\\cf2 b}c}"
        << QStringList{QStringLiteral("a|size=12 fg=#ff0000"), QStringLiteral("b|size=12 fg=#0000ff"), QStringLiteral("c|size=12 fg=#ff0000")};
    QTest::newRow("font selection")
        << "{\\rtf1" + fonts + "\\f1 a\\f0 b\\f7 c}"
        << QStringList{QStringLiteral("a|size=12 font=Arial"), QStringLiteral("bc|size=12 font=Times New Roman")};
    QTest::newRow("default font at the first group")
        << "{\\rtf1\\deff1" + fonts + "{x}y{\\f0 z}w}"
        << QStringList{QStringLiteral("xy|size=12 font=Arial"), QStringLiteral("z|size=12 font=Times New Roman"),
                       QStringLiteral("w|size=12 font=Arial")};
    QTest::newRow("default font missing from the table")
        << "{\\rtf1\\deff3" + fonts + "{x}}" << QStringList{QStringLiteral("x|size=12")};
    QTest::newRow("font number written twice")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2 First;}{\\f2 Second;}}\\f2 x}") << QStringList{QStringLiteral("x|size=12 font=Second")};
}

void TextDocumentTest::characterFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(fragments(document), expected);
}

void TextDocumentTest::paragraphFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("indents carry into the next paragraph")
        << QByteArray("{\\rtf1 \\li720\\fi-360 text\\par more}")
        << QStringList{QStringLiteral("text|indent=-24 left=48"), QStringLiteral("more|indent=-24 left=48")};
    QTest::newRow("groups do not restore the paragraph")
        << QByteArray("{\\rtf1 {\\qc a}\\par b}") << QStringList{QStringLiteral("a|align=4"), QStringLiteral("b|align=4")};
    QTest::newRow("alignments") << QByteArray("{\\rtf1 \\ql a\\par\\qr b\\par\\qj c\\par\\qc d}")
                                << QStringList{QStringLiteral("a|align=1"), QStringLiteral("b|align=2"),
                                               QStringLiteral("c|align=8"), QStringLiteral("d|align=4")};
    QTest::newRow("pard keeps the spacing")
        << QByteArray("{\\rtf1 \\sb240\\sa120\\qc\\li100\\ri-360\\pard x}")
        << QStringList{QStringLiteral("x|align=1 indent=0 left=0 right=0 top=16 bottom=8")};
    QTest::newRow("spacing keeps its fraction") << QByteArray("{\\rtf1 \\sb100 x}")
                                                << QStringList{QStringLiteral("x|top=") + number(100 / 1440.0 * 96.0)};
    QTest::newRow("negative right indent") << QByteArray("{\\rtf1 \\ri-360 x}") << QStringList{QStringLiteral("x|right=-24")};
    QTest::newRow("pattern background by index")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cbpat1 a\\par\\pard b\\par\\cbpat9 c}")
        << QStringList{QStringLiteral("a|bg=#ff0000"), QStringLiteral("b|align=1 indent=0 left=0 right=0 bg=#ff0000"),
                       QStringLiteral("c|align=1 indent=0 left=0 right=0")};
    QTest::newRow("line break stays inside the paragraph")
        << QByteArray("{\\rtf1 \\fi720\\sb240 one\\line two\\par three}")
        << QStringList{QStringLiteral("one\u2028two|indent=48 top=16"), QStringLiteral("three|indent=48 top=16")};
    // A parse hands text and paragraph formats to the document in batches;
    // a line feed in the text still breaks the block where it stands.
    QTest::newRow("line feed byte between paragraph changes")
        << QByteArray("{\\rtf1 \\qc a\\'0ab\\qr\\par c}")
        << QStringList{QStringLiteral("a|align=4"), QStringLiteral("b|align=2"), QStringLiteral("c|align=2")};
    QTest::newRow("paragraph format at the very end")
        << QByteArray("{\\rtf1 a\\par\\qc\\li720}")
        << QStringList{QStringLiteral("a|"), QStringLiteral("|align=4 left=48")};
}

void TextDocumentTest::paragraphFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(blocks(document), expected);
}

void TextDocumentTest::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("special characters")
        << QByteArray("{\\rtf1 \\lquote a\\rquote\\ldblquote b\\rdblquote\\endash\\emdash\\enspace\\emspace\\bullet\\tab\\~\\_\\-}")
        << QStringLiteral("\u2018a\u2019\u201cb\u201d\u2013\u2014\u2002\u2003\u2022\t\u00a0\u2011\u00ad");
    QTest::newRow("unicode characters skip their fallback")
        << QByteArray("{\\rtf1 \\u8364?\\u20320?\\uc2\\u-3889 ab.}") << QStringLiteral("\u20ac\u4f60\uf0cf.");
    QTest::newRow("line break") << QByteArray("{\\rtf1 one\\line two}") << QStringLiteral("one\u2028two");
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par}") << QStringLiteral("one\ntwo\n");
    QTest::newRow("control characters are dropped") << QByteArray("{\\rtf1 a\\'01b\\'09c\\'0bd\\'1fe}")
                                                    << QStringLiteral("ab\tcde");
    QTest::newRow("line feed and carriage return break the block")
        << QByteArray("{\\rtf1 x\\'0ay\\'0dz}") << QStringLiteral("x\ny\nz");
    QTest::newRow("no font: Windows-1252") << QByteArray("{\\rtf1 \\'80 \\'e9\\'9c}") << QStringLiteral("\u20ac \u00e9\u0153");
    QTest::newRow("symbol font: Windows-1252")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 \\'e9}") << QStringLiteral("\u00e9");
    QTest::newRow("code page follows the font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset161 B;}{\\f2\\fcharset238 C;}}"
                      "\\f0\\'c4{\\f1\\'c4}\\'c4\\f2\\'c4}")
        << QStringLiteral("\u0414\u0394\u0414\u00c4");
    QTest::newRow("Shift-JIS character split by a group")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0\\'82{\\'a0}}") << QStringLiteral("\u3042");
    QTest::newRow("Thai") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset222 Tahoma;}}\\f0 \\'ca\\'c7}")
                          << QStringLiteral("\u0e2a\u0e27");
}

void TextDocumentTest::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(rawText(document), expected);
}

void TextDocumentTest::conversionEncodings_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("UTF-8") << QStringLiteral("UTF-8") << QByteArray("caf\xc3\xa9") << QStringLiteral("caf\u00e9");
    QTest::newRow("unknown name: Windows-1252") << QStringLiteral("No-Such-Code-Page") << QByteArray("\x80")
                                               << QStringLiteral("\u20ac");
    QTest::newRow("null name: Windows-1252") << QString() << QByteArray("\x93x\x94") << QStringLiteral("\u201cx\u201d");
    QTest::newRow("Windows-1252") << QStringLiteral("Windows-1252") << QByteArray("\x80") << QStringLiteral("\u20ac");
    QTest::newRow("GBK characters under GB2312") << QStringLiteral("GB2312") << QByteArray("\x81\x40\xc4\xe3")
                                                << QStringLiteral("\u4e02\u4f60");
    QTest::newRow("Unified Hangul under CP949") << QStringLiteral("CP949") << QByteArray("\x81\x41\xb0\xa1")
                                               << QStringLiteral("\uac02\uac00");
    QTest::newRow("control characters removed") << QStringLiteral("Windows-1252") << QByteArray("a\x01\x08\x0c\x0d\x1f b")
                                                << QStringLiteral("a\r b");
}

void TextDocumentTest::conversionEncodings()
{
    QFETCH(QString, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.insertFontTableEntry(fontEntry(QStringLiteral("F"), encoding), 0);
    output.setFont(0);
    QCOMPARE(output.convertText(bytes), expected);
}

void TextDocumentTest::multiByteCharacterAcrossCalls()
{
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.insertFontTableEntry(fontEntry(QStringLiteral("J"), QStringLiteral("Shift-JIS")), 0);
    output.insertFontTableEntry(fontEntry(QStringLiteral("U"), QStringLiteral("UTF-8")), 1);
    output.setFont(0);
    output.appendText(QByteArray("\x82"));
    output.appendText(QByteArray("\xa0"));
    // The same encoding again keeps the decoder and its state.
    output.appendText(QByteArray("\x82"));
    output.setFont(0);
    output.appendText(QByteArray("\xa2"));
    output.setFont(1);
    output.appendText(QByteArray("\xe2\x82"));
    output.appendText(QByteArray("\xac"));
    QCOMPARE(rawText(document), QStringLiteral("\u3042\u3044\u20ac"));
}

void TextDocumentTest::fontSelectionMessages()
{
    TestHelpers::LogCapture log;
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.insertFontTableEntry(fontEntry(QStringLiteral("Arial"), QString()), 1);
    output.setFont(7);
    output.setFont(1);
    QCOMPARE(log.messages(), (QStringList{QStringLiteral("attempted to select fontIndex 7 not in the font table"),
                                          QStringLiteral("selecting font: \"Arial\"")}));
}

void TextDocumentTest::pageSizeOnlyLogged()
{
    TestHelpers::LogCapture log;
    QTextDocument document;
    const QSizeF pageSize = document.pageSize();
    QVERIFY(parseInto("{\\rtf1\\paperw12240\\paperh15840 x}", &document));
    QCOMPARE(document.pageSize(), pageSize);
    QCOMPARE(log.messagesStartingWith(QStringLiteral("setPage")),
             (QStringList{QStringLiteral("setPageWidth:  12240  ( 8.5 )"), QStringLiteral("setPageHeight:  15840  ( 11 )")}));
}

void TextDocumentTest::styleSheetEntryStoredOnly()
{
    TestHelpers::LogCapture log;
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    StyleSheetTableEntry entry;
    entry.setStyleName(QStringLiteral("heading 1"));
    entry.setLeftIndent(720);
    output.insertStyleSheetTableEntry(1, entry);
    output.appendText(QByteArray("x"));
    QCOMPARE(log.messages(), QStringList{QStringLiteral("inserting stylesheet entry: 1 with name: \"heading 1\"")});
    QCOMPARE(blocks(document), QStringList{QStringLiteral("x|")});
    QCOMPARE(fragments(document), QStringList{QStringLiteral("x|")});
}

void TextDocumentTest::createImage()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(image.save(&buffer, "PNG"));

    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.appendText(QByteArray("a"));
    QTextImageFormat format;
    format.setName(QStringLiteral("rtfparser://1.png"));
    format.setWidth(30.0);
    format.setHeight(20.0);
    output.createImage(png, format);
    output.appendText(QByteArray("b"));

    QCOMPARE(document.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfparser://1.png"))).toByteArray(), png);
    QCOMPARE(document.toPlainText(), QStringLiteral("a\ufffcb"));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    const QTextCharFormat placed = cursor.charFormat();
    QVERIFY(placed.isImageFormat());
    QCOMPARE(placed.toImageFormat().name(), QStringLiteral("rtfparser://1.png"));
    QCOMPARE(placed.toImageFormat().width(), 30.0);
    QCOMPARE(placed.toImageFormat().height(), 20.0);
}

void TextDocumentTest::endGroupKeepsBaseFormat()
{
    // More group ends than starts: the base entry stays and is handed on.
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.endGroup();
    output.endGroup();
    output.appendText(QByteArray("x"));
    output.startGroup();
    output.setFontBold(1);
    output.endGroup();
    output.appendText(QByteArray("y"));
    QCOMPARE(fragments(document), QStringList{QStringLiteral("xy|size=12")});
}

void TextDocumentTest::documentIsNotCleared()
{
    QTextDocument document(QStringLiteral("old"));
    QVERIFY(parseInto("{\\rtf1 new}", &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("newold"));
}

void TextDocumentTest::corpus_data()
{
    QTest::addColumn<QString>("fileName");

    const QString corpus = QStringLiteral(TAVISK_CORPUS_DIR);
    if (!QDir(corpus).exists())
        QSKIP("the RTF corpus is not available");
    QStringList files;
    QDirIterator it(corpus, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString &file : std::as_const(files))
        QTest::newRow(qPrintable(QDir(corpus).relativeFilePath(file))) << file;
}

void TextDocumentTest::corpus()
{
    QFETCH(QString, fileName);

    // Some files are truncated or hostile on purpose, and some have a header
    // the reader rejects: the parse must end normally, and text that reached
    // the output must be in the document.
    QTextDocument document;
    TextSeenOutput output(&document);
    Reader reader;
    QVERIFY(reader.open(fileName));
    (void)reader.parseTo(&output);
    if (output.textSeen)
        QVERIFY(!document.toPlainText().trimmed().isEmpty());
}

void TextDocumentTest::fuzzRegressions_data()
{
    // Every input the fuzzer ever found a fault with stays here.
    QTest::addColumn<QString>("file");
    const QDir dir(QStringLiteral(TAVISK_FUZZ_REGRESSIONS));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("no fuzzer findings recorded");
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << dir.filePath(file);
}

void TextDocumentTest::fuzzRegressions()
{
    QFETCH(QString, file);
    {
        Reader reader;
        QVERIFY(reader.open(file));
        QTextDocument document;
        TextDocumentRtfOutput output(&document);
        (void)reader.parseTo(&output);
        (void)document.toPlainText();
    }
    Reader reader;
    QVERIFY(reader.open(file));
    RecordingOutput output;
    output.maxCalls = 64;
    (void)reader.parseTo(&output);
    QVERIFY(!output.unbalancedEndGroup);
}

void TextDocumentTest::gatheredText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    // During a parse, consecutive text is inserted in one piece; each change
    // of format, paragraph or group must still split it where the RTF does.
    // Text before the first format change has the document's own format.
    QTest::newRow("escapes, unicode and specials in one run")
        << QByteArray("{\\rtf1 caf\\'e9\\u8364?\\tab x\\emdash y}")
        << QStringList{QStringLiteral("caf\u00e9\u20ac\tx\u2014y|")};
    QTest::newRow("format change inside a run")
        << QByteArray("{\\rtf1 {a\\'e9\\b b\\i c}d}")
        << QStringList{QStringLiteral("a\u00e9|"), QStringLiteral("b|size=12 weight=700"),
                       QStringLiteral("c|size=12 weight=700 italic"), QStringLiteral("d|size=12")};
    QTest::newRow("paragraph break inside a run")
        << QByteArray("{\\rtf1 a\\u8364?\\par b\\line c}")
        << QStringList{QStringLiteral("a\u20ac|"), QStringLiteral("<par>"), QStringLiteral("b\u2028c|")};
    QTest::newRow("document ends inside a group")
        << QByteArray("{\\rtf1 {\\b bold \\'e9") << QStringList{QStringLiteral("bold \u00e9|size=12 weight=700")};
    QTest::newRow("long run without formatting")
        << QByteArray("{\\rtf1 ") + QByteArray("abcdefgh").repeated(20000) + "\\b x}"
        << QStringList{QString::fromLatin1(QByteArray("abcdefgh").repeated(20000)) + QLatin1Char('|'),
                       QStringLiteral("x|size=12 weight=700")};
}

void TextDocumentTest::gatheredText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(fragments(document), expected);
}

void TextDocumentTest::textWithoutReaderReachesDocumentAtOnce()
{
    // An output driven directly, not by a Reader, writes every call through
    // at once: a caller may look at the document between calls.
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.appendText(QByteArray("abc"));
    QCOMPARE(document.toPlainText(), QStringLiteral("abc"));
    output.appendText(QStringLiteral("\u20ac"));
    output.insertBullet();
    QCOMPARE(document.toPlainText(), QStringLiteral("abc\u20ac\u2022"));

    // And after a parse through the same output, it does so again.
    QVERIFY(TestHelpers::parse("{\\rtf1 def}", &output));
    QCOMPARE(document.toPlainText(), QStringLiteral("abc\u20ac\u2022def"));
    output.appendText(QByteArray("g"));
    QCOMPARE(document.toPlainText(), QStringLiteral("abc\u20ac\u2022defg"));
}

void TextDocumentTest::flushDuringParse()
{
    QTextDocument document;
    ParagraphWatchingOutput output(&document);
    QVERIFY(TestHelpers::parse("{\\rtf1 one \\'e9\\par {\\b two}\\u8364?\\par three}", &output));
    QCOMPARE(output.seen, (QStringList{QStringLiteral("one \u00e9"), QStringLiteral("one \u00e9\ntwo\u20ac")}));
    QCOMPARE(document.toPlainText(), QStringLiteral("one \u00e9\ntwo\u20ac\nthree"));
}

void TextDocumentTest::fromRtf_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("error");
    QTest::newRow("document") << QByteArray("{\\rtf1\\ansi{\\info{\\title Letter}}Dear {\\b Sir}\\par}") << true
                              << QStringLiteral("Dear Sir\n") << QStringLiteral("Letter") << QString();
    QTest::newRow("not RTF") << QByteArray("Dear Sir") << false << QString() << QString()
                             << QStringLiteral("not an RTF file (it does not start with {\\rtf)");
    QTest::newRow("empty") << QByteArray() << false << QString() << QString()
                           << QStringLiteral("not an RTF file (it does not start with {\\rtf)");
}

void TextDocumentTest::fromRtf()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, result);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, error);
    QTextDocument document;
    document.setPlainText(QStringLiteral("replaced"));
    QString errorString = QStringLiteral("stale");
    QCOMPARE(TextDocumentRtfOutput::fromRtf(rtf, &document, &errorString), result);
    QCOMPARE(document.toPlainText(), text);
    QCOMPARE(document.metaInformation(QTextDocument::DocumentTitle), title);
    QCOMPARE(errorString, error);
    QVERIFY(!TextDocumentRtfOutput::fromRtf(rtf, nullptr));
}

void TextDocumentTest::hostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    // Large tables: the benchmark measures the full sizes (200 000 fonts,
    // 1 000 000 colours, 1 000 000 groups); these stay quick under sanitizers.
    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 50000; ++i)
        fonts += "{\\f" + QByteArray::number(i) + "\\fcharset" + (i % 2 ? "204" : "0") + " F" + QByteArray::number(i) + ";}";
    fonts += "}";
    QTest::newRow("50000 fonts, the last one selected")
        << fonts + "\\f49999 \\'c4\\f49998 \\'c4}" << QStringLiteral("\u0414\u00c4");
    QTest::newRow("50000 fonts, numbers at the 32-bit limits")
        << fonts + "\\f1 \\'c4\\f2147483647 \\'c4\\f-2147483648 \\'c4\\f2147483648 \\'c4}"
        << QStringLiteral("\u0414\u0414\u0414\u00c4");
    QTest::newRow("font numbers at the 32-bit limits in the table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2147483647\\fcharset204 A;}{\\f-2147483648\\fcharset161 B;}}"
                      "\\f2147483647 \\'c4\\f-2147483648 \\'c4}")
        << QStringLiteral("\u0414\u0394");

    QByteArray colours = "{\\rtf1{\\colortbl;";
    for (int i = 0; i < 100000; ++i)
        colours += "\\red" + QByteArray::number(i % 256) + "\\green0\\blue0;";
    colours += "}";
    QTest::newRow("100000 colours, indexes past the end and at the limits")
        << colours + "{\\cf100000 a}{\\cf100001 b}{\\cf2147483647 c}{\\highlight-2147483648 d}"
                     "{\\cbpat2147483647 e}}"
        << QStringLiteral("abcde");

    QTest::newRow("100000 nested groups")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\b x").repeated(100000) + QByteArray(100000, '}') + "y}"
        << QString(100000, QLatin1Char('x')) + QLatin1Char('y');
    QTest::newRow("100000 nested groups, never closed")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\i x").repeated(100000) << QString(100000, QLatin1Char('x'));

    QTest::newRow("unicode skip at the limit swallows the rest")
        << QByteArray("{\\rtf1 a\\uc2147483647\\u8364 bcd{\\b efg}\\par hij}") << QStringLiteral("a\u20ac\n");
    QTest::newRow("negative unicode skip skips nothing")
        << QByteArray("{\\rtf1 \\uc-2147483648\\u8364?}") << QStringLiteral("\u20ac?");
    QTest::newRow("unicode values at the limits")
        << QByteArray("{\\rtf1 \\uc0\\u2147483647\\u-2147483647\\u65601 a}")
        << QStringLiteral("\uffff\u0001Aa");
    QTest::newRow("bin with a huge length and no data")
        << QByteArray("{\\rtf1 a\\bin2147483647 b}") << QStringLiteral("ab");
    QTest::newRow("field nested 10000 deep")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\field{\\*\\fldinst HYPERLINK u}{\\fldrslt a").repeated(10000)
            + QByteArray("}}").repeated(10000) + "}"
        << QString(10000, QLatin1Char('a'));
    QTest::newRow("notes nested 10000 deep")
        << QByteArray("{\\rtf1 x") + QByteArray("{\\footnote n").repeated(10000) + QByteArray("}").repeated(10000) + "}"
        << QStringLiteral("x1\n\n1 n");
    QTest::newRow("header inside a note")
        << QByteArray("{\\rtf1 b{\\footnote {\\header i}n}}") << QStringLiteral("b1\n\n1 n");
    QTest::newRow("text boxes nested 10000 deep")
        << QByteArray("{\\rtf1 x") + QByteArray("{\\shp{\\*\\shpinst{\\shptxt t").repeated(10000)
            + QByteArray("}}}").repeated(10000) + "}"
        << QStringLiteral("x\n") + QString(10000, QLatin1Char('t')) + QStringLiteral("\n");
    QTest::newRow("unclosed note, comment and header")
        << QByteArray("{\\rtf1 a{\\header h{\\footnote") << QStringLiteral("a");
    QTest::newRow("unclosed note")
        << QByteArray("{\\rtf1 a{\\footnote n") << QStringLiteral("a1\n\n1 n");
    QTest::newRow("bookmarks past the end and many at one place")
        << QByteArray("{\\rtf1 a") + QByteArray("{\\*\\bkmkstart b}").repeated(2000) + "}"
        << QStringLiteral("a");
    QTest::newRow("bin with a huge length at the end")
        << QByteArray("{\\rtf1 a\\bin2147483647") << QStringLiteral("a");
}

void TextDocumentTest::hostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(rawText(document), expected);
}

void TextDocumentTest::truncatedDestinations_data()
{
    QTest::addColumn<QByteArray>("rtf");

    // The input ends inside each kind of destination group, at different
    // points of the group; the text before it must be in the document.
    const QByteArray destinations[] = {
        "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial",
        "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}",
        "{\\fonttbl{\\f0{\\*\\panose 020b",
        "{\\colortbl;\\red255\\green0",
        "{\\stylesheet{\\s1\\b heading",
        "{\\info{\\title The ti",
        "{\\info{\\author Some",
        "{\\info{\\creatim\\yr2024\\mo2",
        "{\\info{\\nofpages",
        "{\\*\\userprops{\\propname Client}\\proptype30{\\staticval Ac",
        "{\\pict\\pngblip\\picw10\\pich10 89504e470d0a1a0a0",
        "{\\*\\shppict{\\pict\\wmetafile8 0100",
        "{\\*\\generator Writ",
        "{\\*\\unknowndestination {nested",
        "{\\field{\\*\\fldinst HYPERLINK",
        "{\\pict\\bin2147483647",
        "{\\pict\\",
        "{\\fonttbl\\",
        "{\\colortbl\\'e",
    };
    for (const QByteArray &destination : destinations)
        QTest::newRow(destination.constData()) << QByteArray("{\\rtf1 before ") + destination;
}

void TextDocumentTest::truncatedDestinations()
{
    QFETCH(QByteArray, rtf);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("before ")));
}

// Fields, notes, comments, headers and footers, text boxes.

// Every fragment that is an anchor, as "text|href|names".
QStringList anchors(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor())
                result.append(it.fragment().text() + QLatin1Char('|') + format.anchorHref() + QLatin1Char('|')
                              + format.anchorNames().join(QLatin1Char(',')));
        }
    }
    return result;
}

void TextDocumentTest::structure_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("anchors");

    QTest::newRow("links and a bookmark, Word 2016")
        << TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("structure-links-word.rtf")))
        << QStringLiteral("See the example site, the second part on 11 December 2026.\nSecond part\n")
        << QStringList{QStringLiteral("the |https://example.org/a?b=1&c=2|"),
                       QStringLiteral("example|https://example.org/a?b=1&c=2|"),
                       QStringLiteral(" site|https://example.org/a?b=1&c=2|"), QStringLiteral("second part|#_Second|"),
                       QStringLiteral("S||_Second")};
    QTest::newRow("link result without a group of its own")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}\\fldrslt x} y}") << QStringLiteral("x y")
        << QStringList{QStringLiteral("x|u|")};
    QTest::newRow("nested fields keep the link")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt a{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}}}b}")
        << QStringLiteral("a1b") << QStringList{QStringLiteral("a|u|"), QStringLiteral("1|u|")};
    QTest::newRow("field without result shows nothing")
        << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK \"u\"}}b}") << QStringLiteral("ab") << QStringList{};
    QTest::newRow("bookmark at the end of a paragraph names the character before")
        << QByteArray("{\\rtf1 ab{\\*\\bkmkstart m}{\\*\\bkmkend m}\\par}") << QStringLiteral("ab\n")
        << QStringList{QStringLiteral("b||m")};

    // Footnotes 1, 2; the endnote i; the custom mark; the notes section.
    QTest::newRow("notes, Word 2016")
        << TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("structure-notes-word.rtf")))
        << QStringLiteral("First claim1, second claimi, third claim*, fourth2.\n\n1 The first source.\n"
                          "* A custom mark.\n2 Second footnote.\nIts second paragraph.\ni An endnote.")
        << QStringList{QStringLiteral("1|#footnote-1|footnote-ref-1"), QStringLiteral("i|#endnote-1|endnote-ref-1"),
                       QStringLiteral("*|#footnote-2|footnote-ref-2"), QStringLiteral("2|#footnote-3|footnote-ref-3"),
                       QStringLiteral("1|#footnote-ref-1|footnote-1"), QStringLiteral("*|#footnote-ref-2|footnote-2"),
                       QStringLiteral("2|#footnote-ref-3|footnote-3"), QStringLiteral("i|#endnote-ref-1|endnote-1")};
    QTest::newRow("numbering the document asks for")
        << QByteArray("{\\rtf1 \\ftnnauc\\aftnnar\\aftnstart7 a\\chftn{\\footnote x}b\\chftn{\\footnote\\ftnalt y}}")
        << QStringLiteral("aAbi7\n\nA x\ni7 y").replace(QLatin1String("i7"), QLatin1String("7"))
        << QStringList{QStringLiteral("A|#footnote-1|footnote-ref-1"), QStringLiteral("7|#endnote-1|endnote-ref-1"),
                       QStringLiteral("A|#footnote-ref-1|footnote-1"), QStringLiteral("7|#endnote-ref-1|endnote-1")};
    QTest::newRow("note without a mark gets its number")
        << QByteArray("{\\rtf1 a{\\footnote x}b\\par}") << QStringLiteral("a1b\n\n1 x")
        << QStringList{QStringLiteral("1|#footnote-1|footnote-ref-1"), QStringLiteral("1|#footnote-ref-1|footnote-1")};
    QTest::newRow("note inside a note is dropped")
        << QByteArray("{\\rtf1 a\\chftn{\\footnote x\\chftn{\\footnote y}z}}") << QStringLiteral("a1\n\n1 xz")
        << QStringList{QStringLiteral("1|#footnote-1|footnote-ref-1"), QStringLiteral("1|#footnote-ref-1|footnote-1")};

    QTest::newRow("comment with its range")
        << QByteArray("{\\rtf1 {\\*\\atrfstart 9}Reviewed{\\*\\atrfend 9}{\\*\\atnid JS}{\\*\\atnauthor Jo Smith}\\chatn "
                      "{\\*\\annotation{\\*\\atnref 9}\\pard {\\chatn }Check.} words.\\par}")
        << QStringLiteral("Reviewed words.\nComments\n[JS1] Jo Smith: Check.")
        << QStringList{QStringLiteral("R||comment-range-1"), QStringLiteral("[JS1]|#comment-range-1|comment-1")};
    QTest::newRow("notes come before the comments")
        << QByteArray("{\\rtf1 a\\chftn{\\footnote n}{\\*\\annotation c}\\par}")
        << QStringLiteral("a1\n\n1 n\nComments\n[1] c")
        << QStringList{QStringLiteral("1|#footnote-1|footnote-ref-1"), QStringLiteral("1|#footnote-ref-1|footnote-1"),
                       QStringLiteral("[1]||comment-1")};

    QTest::newRow("headers and footers leave the body")
        << QByteArray("{\\rtf1 {\\header h}{\\footerl f}a{\\header again}\\par b}") << QStringLiteral("a\nb")
        << QStringList{};
    QTest::newRow("shape text at its anchor, fallback dropped")
        << QByteArray("{\\rtf1 before{\\shp{\\*\\shpinst{\\shptxt \\pard in box\\par}}{\\shprslt fallback}}after}")
        << QStringLiteral("before\nin box\nafter") << QStringList{};
    QTest::newRow("shape fallback shown without shape text")
        << QByteArray("{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 1}}}{\\shprslt b}}c}")
        << QStringLiteral("abc") << QStringList{};
    QTest::newRow("custom mark inside a text box")
        << QByteArray("{\\rtf1 body {\\shp{\\*\\shpinst{\\shptxt in box{\\super +}{\\footnote {\\super +} n}}}}}")
        << QStringLiteral("body \nin box+\n\n+ n")
        << QStringList{QStringLiteral("+|#footnote-1|footnote-ref-1"), QStringLiteral("+|#footnote-ref-1|footnote-1")};
    QTest::newRow("text box inside a note")
        << QByteArray("{\\rtf1 a\\chftn{\\footnote n{\\shp{\\*\\shpinst{\\shptxt box}}}}}")
        << QStringLiteral("a1\n\n1 n\nbox") << QStringList{QStringLiteral("1|#footnote-1|footnote-ref-1"),
                                                              QStringLiteral("1|#footnote-ref-1|footnote-1")};
}

void TextDocumentTest::structure()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QStringList, anchors);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(rawText(document), text);
    QCOMPARE(::anchors(document), anchors);
}

void TextDocumentTest::headersAndFooters()
{
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    QVERIFY(TestHelpers::parse(
        TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("structure-headers-word.rtf"))), &output));
    using Kind = AbstractRtfOutput::HeaderFooterKind;
    QCOMPARE(output.headerFooter(Kind::HeaderRight).toPlainText(), QStringLiteral("Running head"));
    QCOMPARE(output.headerFooter(Kind::HeaderFirst).toPlainText(), QStringLiteral("Title page head"));
    QCOMPARE(output.headerFooter(Kind::FooterRight).toPlainText(), QStringLiteral("Page 2 of 3"));
    QVERIFY(output.headerFooter(Kind::Header).isEmpty());
    QVERIFY(output.hasHeadersOrFooters());

    // \titlepg: the first page has its own header and, having no footer of
    // its own, no footer; the other pages take the right-page ones.
    QCOMPARE(output.headerFooterForPage(false, 1).toPlainText(), QStringLiteral("Title page head"));
    QVERIFY(output.headerFooterForPage(true, 1).isEmpty());
    QCOMPARE(output.headerFooterForPage(false, 2).toPlainText(), QStringLiteral("Running head"));
    QCOMPARE(output.headerFooterForPage(true, 3).toPlainText(), QStringLiteral("Page 2 of 3"));

    // The page fields stay recognisable by their instruction.
    QTextDocument footer;
    QTextCursor(&footer).insertFragment(output.headerFooter(Kind::FooterRight));
    QStringList fields;
    for (QTextBlock block = footer.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QVariant instruction = it.fragment().charFormat().property(TextDocumentRtfOutput::FieldInstructionProperty);
            if (instruction.isValid())
                fields.append(it.fragment().text() + QLatin1Char('=') + instruction.toString());
        }
    }
    QCOMPARE(fields, (QStringList{QStringLiteral("2=PAGE   \\* MERGEFORMAT"), QStringLiteral("3=NUMPAGES")}));

    // A page number without a result shows 1 there, marked the same way.
    QTextDocument other;
    TextDocumentRtfOutput otherOutput(&other);
    QVERIFY(TestHelpers::parse("{\\rtf1 {\\footer Page \\chpgn  of {\\field{\\*\\fldinst NUMPAGES}}}body \\chpgn}",
                               &otherOutput));
    const QTextDocumentFragment numbered = otherOutput.headerFooter(Kind::Footer);
    QCOMPARE(numbered.toPlainText(), QStringLiteral("Page 1 of 1"));
    QCOMPARE(rawText(other), QStringLiteral("body "));

    // The body holds neither the headers nor the shape's fallback, and the
    // comment follows it.
    QCOMPARE(rawText(document), QStringLiteral("Body text.\nBoxed text\nAfter the box.\nReviewed words.\nComments\n"
                                               "[JS1] Jo Smith, 2024-05-06T07:08:00: Check this."));
}

void TextDocumentTest::headerInsideTableCell()
{
    // However the table itself is built, the header leaves the cell's text.
    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    QVERIFY(TestHelpers::parse("{\\rtf1 \\trowd\\cellx1000\\intbl a{\\header h}\\cell\\row b}", &output));
    QVERIFY(!document.toPlainText().contains(QLatin1Char('h')));
    QVERIFY(document.toPlainText().contains(QLatin1Char('a')));
    QVERIFY(document.toPlainText().contains(QLatin1Char('b')));
    QCOMPARE(output.headerFooter(AbstractRtfOutput::HeaderFooterKind::Header).toPlainText(), QStringLiteral("h"));
}

void TextDocumentTest::noteNumbers_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QString>("mark");

    // The mark of the only footnote, numbered as the document asks.
    QTest::newRow("arabic") << QByteArray("\\ftnnar\\ftnstart12") << QStringLiteral("12");
    QTest::newRow("lower alpha") << QByteArray("\\ftnnalc\\ftnstart3") << QStringLiteral("c");
    QTest::newRow("alpha past z repeats the letter") << QByteArray("\\ftnnauc\\ftnstart28") << QStringLiteral("BB");
    QTest::newRow("lower roman") << QByteArray("\\ftnnrlc\\ftnstart14") << QStringLiteral("xiv");
    QTest::newRow("upper roman") << QByteArray("\\ftnnruc\\ftnstart1999") << QStringLiteral("MCMXCIX");
    QTest::newRow("symbols") << QByteArray("\\ftnnchi\\ftnstart2") << QStringLiteral("\u2020");
    QTest::newRow("symbols doubled after four") << QByteArray("\\ftnnchi\\ftnstart5") << QStringLiteral("**");
    QTest::newRow("zero in digits") << QByteArray("\\ftnnrlc\\ftnstart0") << QStringLiteral("0");
    QTest::newRow("huge start in digits, capped")
        << QByteArray("\\ftnnruc\\ftnstart2147483647") << QStringLiteral("1000000");
    QTest::newRow("endnote words leave footnotes alone") << QByteArray("\\aftnnrlc") << QStringLiteral("1");
}

void TextDocumentTest::noteNumbers()
{
    QFETCH(QByteArray, words);
    QFETCH(QString, mark);

    QTextDocument document;
    QVERIFY(parseInto("{\\rtf1 " + words + " a\\chftn{\\footnote x}}", &document));
    QCOMPARE(document.firstBlock().text(), QStringLiteral("a") + mark);
}

void TextDocumentTest::structureCorpus_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("hrefs");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("lastBlock");

    QTest::newRow("pandoc footnotes")
        << QStringLiteral("pandoc/footnote.rtf")
        << QStringList{QStringLiteral("#footnote-1"), QStringLiteral("#footnote-2"), QStringLiteral("#footnote-ref-1"),
                       QStringLiteral("#footnote-ref-2")}
        << QStringList{QStringLiteral("footnote-ref-1"), QStringLiteral("footnote-ref-2"), QStringLiteral("footnote-1"),
                       QStringLiteral("footnote-2")}
        << QStringLiteral("2 A complete bibliography will be found at the end of this chapter.");
    QTest::newRow("pandoc link") << QStringLiteral("pandoc/link.rtf") << QStringList{QStringLiteral("http://pandoc.org")}
                                 << QStringList{} << QString();
    QTest::newRow("pandoc bookmark") << QStringLiteral("pandoc/bookmark.rtf")
                                     << QStringList{QStringLiteral("#bookmark_1")}
                                     << QStringList{QStringLiteral("bookmark_1")} << QString();
    QTest::newRow("TextEdit hyperlinks")
        << QStringLiteral("striprtf/mac_textedit_hyperlink.rtf")
        << QStringList{QStringLiteral("striprtf.dev"), QStringLiteral("http://github.com/joshy/striprtf")}
        << QStringList{} << QString();
}

void TextDocumentTest::structureCorpus()
{
    QFETCH(QString, file);
    QFETCH(QStringList, hrefs);
    QFETCH(QStringList, names);
    QFETCH(QString, lastBlock);

    const QString path = QStringLiteral(TAVISK_CORPUS_DIR "/") + file;
    if (!QFile::exists(path))
        QSKIP("the corpus is not here");
    QTextDocument document;
    QVERIFY(parseInto(TestHelpers::readFile(path), &document));
    QStringList foundHrefs;
    QStringList foundNames;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.anchorHref().isEmpty() && !foundHrefs.contains(format.anchorHref()))
                foundHrefs.append(format.anchorHref());
            foundNames += format.anchorNames();
        }
    }
    QCOMPARE(foundHrefs, hrefs);
    QCOMPARE(foundNames, names);
    if (!lastBlock.isEmpty())
        QCOMPARE(document.lastBlock().text(), lastBlock);
}

QTEST_MAIN(TextDocumentTest)

#include "textdocumenttest.moc"

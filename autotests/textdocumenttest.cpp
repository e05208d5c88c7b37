// Tests of the QTextDocument output: RTF is parsed into a document, and the
// document is walked block by block and fragment by fragment.

#include "recordingoutput.h"
#include "testhelpers.h"

#include <tavisk/textdocumentrtfoutput.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTextFrame>
#include <QTextTable>

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
    if (format.hasProperty(QTextFormat::TextUnderlineColor))
        items.append(QStringLiteral("ul=") + format.property(QTextFormat::TextUnderlineColor).value<QColor>().name());
    if (format.hasProperty(QTextFormat::FontCapitalization))
        items.append(QStringLiteral("caps=%1").arg(format.intProperty(QTextFormat::FontCapitalization)));
    if (format.hasProperty(QTextFormat::TextBaselineOffset))
        items.append(QStringLiteral("baseline=") + number(format.doubleProperty(QTextFormat::TextBaselineOffset)));

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
        case QTextFormat::FontCapitalization:
        case QTextFormat::TextBaselineOffset:
        case QTextFormat::TextUnderlineColor:
        case QTextFormat::ObjectIndex:
        // The key the output keeps beside the families, for the document's
        // hash of the format; it says nothing the families do not.
        case QTextFormat::UserProperty + 0x7466:
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
    if (format.hasProperty(QTextFormat::LineHeight))
        items.append(QStringLiteral("line=%1/%2").arg(number(format.lineHeight())).arg(format.lineHeightType()));
    if (format.hasProperty(QTextFormat::TabPositions)) {
        // Position and a letter for the alignment: L, R, C, or D for the
        // delimiter with its character.
        QStringList tabs;
        for (const QTextOption::Tab &tab : format.tabPositions()) {
            const char *kinds[] = {"L", "R", "C", "D"};
            QString item = number(tab.position) + QLatin1String(kinds[tab.type]);
            if (tab.type == QTextOption::DelimiterTab)
                item += tab.delimiter;
            tabs.append(item);
        }
        items.append(QStringLiteral("tabs=") + tabs.join(QLatin1Char(',')));
    }
    if (format.hasProperty(QTextFormat::PageBreakPolicy))
        items.append(QStringLiteral("break=%1").arg(format.intProperty(QTextFormat::PageBreakPolicy)));
    if (format.hasProperty(QTextFormat::LayoutDirection))
        items.append(QStringLiteral("dir=%1").arg(format.intProperty(QTextFormat::LayoutDirection)));
    if (format.hasProperty(QTextFormat::HeadingLevel))
        items.append(QStringLiteral("heading=%1").arg(format.intProperty(QTextFormat::HeadingLevel)));
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        switch (it.key()) {
        case QTextFormat::LineHeight:
        case QTextFormat::LineHeightType:
        case QTextFormat::TabPositions:
        case QTextFormat::PageBreakPolicy:
        case QTextFormat::LayoutDirection:
        case QTextFormat::HeadingLevel:
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

QString describeFrame(QTextFrame *frame);

// A table as "[rows x columns ...: row | row]", each row its cells a '/'
// apart, a merged cell with its span as "text{rows x columns}" where it
// starts and "~" where it is covered; cell text is its blocks joined by
// '\n' (a nested table inside is described the same way).
QString describeTable(QTextTable *table)
{
    const QTextTableFormat format = table->format();
    QString head = QStringLiteral("%1x%2").arg(table->rows()).arg(table->columns());
    if (format.headerRowCount() > 0)
        head += QStringLiteral(" header=%1").arg(format.headerRowCount());
    const QList<QTextLength> widths = format.columnWidthConstraints();
    if (!widths.isEmpty()) {
        QStringList list;
        for (const QTextLength &width : widths)
            list.append(width.type() == QTextLength::FixedLength ? QString::number(qRound(width.rawValue())) : QStringLiteral("*"));
        head += QStringLiteral(" widths=") + list.join(QLatin1Char(','));
    }
    QStringList rows;
    for (int row = 0; row < table->rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                cells.append(QStringLiteral("~"));
                continue;
            }
            QStringList parts;
            for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                if (QTextFrame *child = it.currentFrame())
                    parts.append(describeFrame(child));
                else
                    parts.append(it.currentBlock().text());
            }
            QString text = parts.join(QLatin1Char('\n'));
            if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                text += QStringLiteral("{%1x%2}").arg(cell.rowSpan()).arg(cell.columnSpan());
            cells.append(text);
        }
        rows.append(cells.join(QLatin1Char('/')));
    }
    return QStringLiteral("[%1: %2]").arg(head, rows.join(QStringLiteral(" | ")));
}

QString describeFrame(QTextFrame *frame)
{
    if (QTextTable *table = qobject_cast<QTextTable *>(frame))
        return describeTable(table);
    QStringList parts;
    for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame())
            parts.append(describeFrame(child));
        else
            parts.append(it.currentBlock().text());
    }
    return parts.join(QLatin1Char('\n'));
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

// Hands every piece of text to the document as soon as it arrives: nothing
// is gathered, no run is joined with the next, and every run starts with
// the formats as they are at that moment. Whatever the output does to save
// insertions must give the same document as this.
class UnbatchedOutput : public TextDocumentRtfOutput
{
public:
    using TextDocumentRtfOutput::TextDocumentRtfOutput;

    void appendText(const QByteArray &text) override { TextDocumentRtfOutput::appendText(text); flush(); }
    void appendText(const QString &text) override { TextDocumentRtfOutput::appendText(text); flush(); }
    void insertTab() override { TextDocumentRtfOutput::insertTab(); flush(); }
    void insertLeftQuote() override { TextDocumentRtfOutput::insertLeftQuote(); flush(); }
    void insertRightQuote() override { TextDocumentRtfOutput::insertRightQuote(); flush(); }
    void insertLeftDoubleQuote() override { TextDocumentRtfOutput::insertLeftDoubleQuote(); flush(); }
    void insertRightDoubleQuote() override { TextDocumentRtfOutput::insertRightDoubleQuote(); flush(); }
    void insertEnDash() override { TextDocumentRtfOutput::insertEnDash(); flush(); }
    void insertEmDash() override { TextDocumentRtfOutput::insertEmDash(); flush(); }
    void insertEnSpace() override { TextDocumentRtfOutput::insertEnSpace(); flush(); }
    void insertEmSpace() override { TextDocumentRtfOutput::insertEmSpace(); flush(); }
    void insertBullet() override { TextDocumentRtfOutput::insertBullet(); flush(); }
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
    void writerFixtures_data();
    void writerFixtures();

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
    void corpusSentences_data();
    void corpusSentences();
    void fuzzRegressions_data();
    void fuzzRegressions();

    void gatheredText_data();
    void gatheredText();
    void formatSwitching_data();
    void formatSwitching();
    void batchedAndUnbatchedAgree_data();
    void batchedAndUnbatchedAgree();
    void convertTextOverrideDecidesBodyText();
    void singleByteCodePages_data();
    void singleByteCodePages();
    void textWithoutReaderReachesDocumentAtOnce();
    void flushDuringParse();
    void fromRtf_data();
    void fromRtf();
    void tables_data();
    void tables();
    void tableCellFormats();
    void sectionBreaks_data();
    void sectionBreaks();
    void hostileInput_data();
    void hostileInput();
    void hostileTables_data();
    void hostileTables();
    void truncatedDestinations_data();
    void truncatedDestinations();

    // ---- lists ----
    void lists_data();
    void lists();
    void listLevelIndents();
    void listCorpus_data();
    void listCorpus();

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
    QTest::newRow("plain resets every character property")
        << "{\\rtf1" + colours + "\\b\\i\\ul\\fs40\\strike\\super\\rtlch\\cf1\\highlight2\\caps\\up4 text\\plain more}"
        << QStringList{QStringLiteral("text|size=20 weight=700 italic underline=1 strike valign=1 dir=1 fg=#ff0000 "
                                      "bg=#0000ff caps=1 baseline=10"),
                       QStringLiteral("more|size=12")};
    QTest::newRow("plain selects the default font")
        << "{\\rtf1\\deff1" + fonts + "\\f0\\b a\\plain b{\\f0 c\\plain d}e}"
        << QStringList{QStringLiteral("a|size=12 weight=700 font=Times New Roman"), QStringLiteral("b|size=12 font=Arial"),
                       QStringLiteral("c|size=12 font=Times New Roman"), QStringLiteral("de|size=12 font=Arial")};
    QTest::newRow("plain without a default font in the table")
        << "{\\rtf1\\deff5" + fonts + "\\f1 a\\plain b}"
        << QStringList{QStringLiteral("a|size=12 font=Arial"), QStringLiteral("b|size=12")};
    // The nearest of Qt's underlines: double and thick lines are drawn
    // single, long dashes as dashes, every wave as a wave.
    QTest::newRow("underline kinds")
        << QByteArray("{\\rtf1 \\uld a\\uldash b\\uldashd c\\uldashdd d\\uldb e\\ulth f\\ulw g\\ulwave h"
                      "\\ululdbwave i\\ulhwave j\\ulthd k\\ulldash l\\ulnone m}")
        << QStringList{QStringLiteral("a|size=12 underline=3"), QStringLiteral("b|size=12 underline=2"),
                       QStringLiteral("c|size=12 underline=4"), QStringLiteral("d|size=12 underline=5"),
                       QStringLiteral("efg|size=12 underline=1"), QStringLiteral("hij|size=12 underline=6"),
                       QStringLiteral("k|size=12 underline=3"), QStringLiteral("l|size=12 underline=2"),
                       QStringLiteral("m|size=12 underline=0")};
    QTest::newRow("underline kind ends with its group or with 0")
        << QByteArray("{\\rtf1 {\\ulwave a}b\\uldb c\\uldb0 d}")
        << QStringList{QStringLiteral("a|size=12 underline=6"), QStringLiteral("b|size=12"),
                       QStringLiteral("c|size=12 underline=1"), QStringLiteral("d|size=12 underline=0")};
    QTest::newRow("underline colour")
        << "{\\rtf1" + colours + "\\ul\\ulc1 a\\ulc9 b{\\ulc2\\ulhair c}\\plain d}"
        << QStringList{QStringLiteral("a|size=12 underline=1 ul=#ff0000"), QStringLiteral("b|size=12 underline=1"),
                       QStringLiteral("c|size=12 underline=1 ul=#0000ff"), QStringLiteral("d|size=12")};
    QTest::newRow("double strike-out") << QByteArray("{\\rtf1 \\striked1 a\\striked0 b}")
                                       << QStringList{QStringLiteral("a|size=12 strike"), QStringLiteral("b|size=12 nostrike")};
    QTest::newRow("capitals and small capitals")
        << QByteArray("{\\rtf1 \\caps a\\caps0 b\\scaps c\\scaps0 d{\\scaps e{\\caps f\\scaps0 g}h}}")
        << QStringList{QStringLiteral("a|size=12 caps=1"), QStringLiteral("b|size=12"), QStringLiteral("c|size=12 caps=3"),
                       QStringLiteral("d|size=12"), QStringLiteral("e|size=12 caps=3"), QStringLiteral("fg|size=12 caps=1"),
                       QStringLiteral("h|size=12 caps=3")};
    // \\up and \\dn in half-points, as a share of the size in force.
    QTest::newRow("raised and lowered text")
        << QByteArray("{\\rtf1 \\fs20\\up6 a\\up0 b\\dn4 c\\plain\\dn d{\\up e}f}")
        << QStringList{QStringLiteral("a|size=10 baseline=30"), QStringLiteral("b|size=10"),
                       QStringLiteral("c|size=10 baseline=-20"), QStringLiteral("d|size=12 baseline=-25"),
                       QStringLiteral("e|size=12 baseline=25"), QStringLiteral("f|size=12 baseline=-25")};
    QTest::newRow("nosupersub ends superscript and subscript")
        << QByteArray("{\\rtf1 \\super a\\nosupersub b\\sub c\\nosupersub d}")
        << QStringList{QStringLiteral("a|size=12 valign=1"), QStringLiteral("b|size=12"), QStringLiteral("c|size=12 valign=2"),
                       QStringLiteral("d|size=12")};
    QTest::newRow("text shading")
        << "{\\rtf1" + colours + "\\chcbpat1 a\\cb2 b\\chcbpat0 c}"
        << QStringList{QStringLiteral("a|size=12 bg=#ff0000"), QStringLiteral("b|size=12 bg=#0000ff"), QStringLiteral("c|size=12")};
    QTest::newRow("hidden text is left out")
        << QByteArray("{\\rtf1 \\b a{\\v\\i hidden}b\\v c\\v0 d}")
        << QStringList{QStringLiteral("abd|size=12 weight=700")};
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
    QTest::newRow("default font before any group or f")
        << "{\\rtf1\\deff1" + fonts + "x\\f0 y}"
        << QStringList{QStringLiteral("x|size=12 font=Arial"), QStringLiteral("y|size=12 font=Times New Roman")};
    QTest::newRow("default font after plain")
        << "{\\rtf1\\deff1" + fonts + "\\f0\\b x\\plain y}"
        << QStringList{QStringLiteral("x|size=12 weight=700 font=Times New Roman"),
                       QStringLiteral("y|size=12 font=Arial")};
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
    QTest::newRow("pard resets every paragraph property")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s1 heading 1;}}"
                      "\\sb240\\sa120\\qc\\li100\\ri-360\\cbpat1\\sl360\\slmult1\\tx720\\pagebb\\rtlpar\\s1\\pard x}")
        << QStringList{QStringLiteral("x|align=1 indent=0 left=0 right=0")};
    QTest::newRow("spacing keeps its fraction") << QByteArray("{\\rtf1 \\sb100 x}")
                                                << QStringList{QStringLiteral("x|top=") + number(100 / 1440.0 * 96.0)};
    QTest::newRow("negative right indent") << QByteArray("{\\rtf1 \\ri-360 x}") << QStringList{QStringLiteral("x|right=-24")};
    QTest::newRow("pattern background by index")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cbpat1 a\\par\\pard b\\par\\cbpat9 c}")
        << QStringList{QStringLiteral("a|bg=#ff0000"), QStringLiteral("b|align=1 indent=0 left=0 right=0"),
                       QStringLiteral("c|align=1 indent=0 left=0 right=0")};
    QTest::newRow("line break stays inside the paragraph")
        << QByteArray("{\\rtf1 \\fi720\\sb240 one\\line two\\par three}")
        << QStringList{QStringLiteral("one\u2028two|indent=48 top=16"), QStringLiteral("three|indent=48 top=16")};
    // A parse hands text and paragraph formats to the document in batches;
    // a line feed in the text still breaks the block where it stands.
    QTest::newRow("line feed byte between paragraph changes")
        << QByteArray("{\\rtf1 \\qc a\\'0ab\\qr\\par c}")
        << QStringList{QStringLiteral("a|align=4"), QStringLiteral("b|align=2"), QStringLiteral("c|align=2")};
    // Line heights: 2 is fixed, 3 at least (both in pixels), 1 a percentage.
    QTest::newRow("line spacing")
        << QByteArray("{\\rtf1 \\sl-480\\slmult0 a\\par\\sl360\\slmult0 b\\par\\sl276\\slmult1 c\\par\\sl0 d\\par"
                      "\\sl480\\slmult1 e\\par\\pard f}")
        << QStringList{QStringLiteral("a|line=32/2"), QStringLiteral("b|line=24/3"), QStringLiteral("c|line=115/1"),
                       QStringLiteral("d|"), QStringLiteral("e|line=200/1"), QStringLiteral("f|align=1 indent=0 left=0 right=0")};
    QTest::newRow("line spacing at the limits")
        << QByteArray("{\\rtf1 \\sl2147483647\\slmult1 a\\par\\sl-2147483648 b\\par\\sl2147483647\\slmult0 c}")
        << QStringList{QStringLiteral("a|line=13200/1"), QStringLiteral("b|line=2112/2"), QStringLiteral("c|line=2112/3")};
    // As Word writes a table of contents line: a right tab with dots.
    QTest::newRow("tab stops")
        << QByteArray("{\\rtf1 \\tx720\\tqr\\tldot\\tx9000\\tqc\\tx4500\\tqdec\\tx5000\\tb6000 a\\tab b\\par c\\par\\pard\\tx100 d}")
        << QStringList{QStringLiteral("a\tb|tabs=48L,300C,333.333D.,600R"), QStringLiteral("c|tabs=48L,300C,333.333D.,600R"),
                       QStringLiteral("d|align=1 indent=0 left=0 right=0 tabs=6.66667L")};
    QTest::newRow("tab stop at a position given twice")
        << QByteArray("{\\rtf1 \\tx720\\tx360\\tqr\\tx720\\tx-10 a}") << QStringList{QStringLiteral("a|tabs=24L,48R")};
    // PageBreak_AlwaysBefore is 1.
    QTest::newRow("page break between paragraphs")
        << QByteArray("{\\rtf1 one\\par\\page two\\par three}")
        << QStringList{QStringLiteral("one|"), QStringLiteral("two|break=1"), QStringLiteral("three|")};
    QTest::newRow("page break inside a paragraph ends it")
        << QByteArray("{\\rtf1 one\\page two\\par three}")
        << QStringList{QStringLiteral("one|"), QStringLiteral("two|break=1"), QStringLiteral("three|")};
    QTest::newRow("page break before a pard")
        << QByteArray("{\\rtf1 one\\par\\page\\pard\\qc two\\par three}")
        << QStringList{QStringLiteral("one|"), QStringLiteral("two|align=4 indent=0 left=0 right=0 break=1"),
                       QStringLiteral("three|align=4 indent=0 left=0 right=0")};
    QTest::newRow("page break before every paragraph until pard")
        << QByteArray("{\\rtf1 \\pagebb a\\par b\\par\\pagebb0 c\\par\\pagebb d\\par\\pard e}")
        << QStringList{QStringLiteral("a|break=1"), QStringLiteral("b|break=1"), QStringLiteral("c|"), QStringLiteral("d|break=1"),
                       QStringLiteral("e|align=1 indent=0 left=0 right=0")};
    QTest::newRow("keep words change nothing")
        << QByteArray("{\\rtf1 \\keep\\keepn a}") << QStringList{QStringLiteral("a|")};
    QTest::newRow("paragraph direction")
        << QByteArray("{\\rtf1 \\rtlpar a\\par b\\par\\ltrpar c\\par\\rtlpar\\pard d}")
        << QStringList{QStringLiteral("a|dir=1"), QStringLiteral("b|dir=1"), QStringLiteral("c|dir=0"),
                       QStringLiteral("d|align=1 indent=0 left=0 right=0")};
    // Word names its heading styles "heading 1" and may add aliases after a
    // comma; LibreOffice writes "Heading 1".
    QTest::newRow("heading styles")
        << QByteArray("{\\rtf1{\\stylesheet{\\ql Normal;}{\\s1 heading 1;}{\\s2 Heading 2,h2;}{\\s3 HEADING 9;}"
                      "{\\s4 heading 10;}{\\s5 heading;}{\\s6 Subheading 1;}{\\s7 heading 0;}}"
                      "\\s1 a\\par\\s2 b\\par\\s3 c\\par\\s4 d\\par\\s5 e\\par\\s6 f\\par\\s7 g\\par\\s1 h\\par\\s0 i"
                      "\\par\\s1 j\\par\\pard k\\par\\s1 l\\par\\s99 m}")
        << QStringList{QStringLiteral("a|heading=1"), QStringLiteral("b|heading=2"), QStringLiteral("c|heading=9"),
                       QStringLiteral("d|"), QStringLiteral("e|"), QStringLiteral("f|"), QStringLiteral("g|"),
                       QStringLiteral("h|heading=1"), QStringLiteral("i|"), QStringLiteral("j|heading=1"),
                       QStringLiteral("k|align=1 indent=0 left=0 right=0"),
                       QStringLiteral("l|align=1 indent=0 left=0 right=0 heading=1"),
                       QStringLiteral("m|align=1 indent=0 left=0 right=0")};
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
    QTest::newRow("backslash before a line break ends the paragraph")
        << QByteArray("{\\rtf1 one\\\ntwo\\\r\nthree\\\rfour}") << QStringLiteral("one\ntwo\nthree\nfour");
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
    QTest::newRow("hidden text and its paragraph ends are left out")
        << QByteArray("{\\rtf1 a{\\v x\\par y\\tab\\bullet\\u8364?{\\pict\\pngblip 89504e47}}b\\par c{\\v{\\v0 shown}\\page}d}")
        << QStringLiteral("ab\ncshownd");
    QTest::newRow("plain ends hidden text") << QByteArray("{\\rtf1 a\\v b\\plain c}") << QStringLiteral("ac");
    QTest::newRow("plain returns to the default font's code page")
        << QByteArray("{\\rtf1\\deff0{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset161 B;}}\\f1\\'c4\\plain\\'c4}")
        << QStringLiteral("\u0394\u0414");
    QTest::newRow("page break makes no empty paragraph")
        << QByteArray("{\\rtf1 one\\par\\page two\\page\\page three}") << QStringLiteral("one\ntwo\nthree");
    QTest::newRow("Thai") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset222 Tahoma;}}\\f0 \\'ca\\'c7}")
                          << QStringLiteral("\u0e2a\u0e27");

    // The document's code page, a font's own one, and the default font.
    QTest::newRow("ansicpg: text before any font")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}") << QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442");
    QTest::newRow("ansicpg: font without fcharset")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times New Roman;}}\\f0 \\'d3 \\'d5}") << QStringLiteral("\u0423 \u0425");
    QTest::newRow("ansicpg: fcharset wins")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset161 Arial;}}\\f0 \\'c4}") << QStringLiteral("\u0394");
    QTest::newRow("cpg wins over fcharset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0\\cpg1251 A;}{\\f1\\cpg1253\\fcharset0 B;}}\\f0 \\'c4\\f1 \\'c4}")
        << QStringLiteral("\u0414\u0394");
    QTest::newRow("unknown cpg keeps fcharset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204\\cpg99999 A;}}\\f0 \\'c4}") << QStringLiteral("\u0414");
    QTest::newRow("mac") << QByteArray("{\\rtf1\\mac Caf\\'8e}") << QStringLiteral("Caf\u00e9");
    QTest::newRow("pc") << QByteArray("{\\rtf1\\pc caf\\'82}") << QStringLiteral("caf\u00e9");
    QTest::newRow("pca") << QByteArray("{\\rtf1\\pca \\'d5\\'82}") << QStringLiteral("\u0131\u00e9");
    QTest::newRow("Mac Japanese charset")
        << QByteArray("{\\rtf1\\mac{\\fonttbl\\f0\\fnil\\fcharset78 HiraKakuPro-W3;}\\f0 \\'82\\'a8}") << QStringLiteral("\u304a");
    QTest::newRow("Mac Cyrillic charset")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset89 Geneva;}}\\f0 \\'8f}") << QStringLiteral("\u041f");
    QTest::newRow("Mac Greek charset")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset85 Geneva;}}\\f0 \\'e1}") << QStringLiteral("\u03b1");
    QTest::newRow("deff: text before any f")
        << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Times;}}\\'cf}") << QStringLiteral("\u041f");
    QTest::newRow("deff: after plain")
        << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Times;}}\\f0\\'cf\\plain\\'cf}")
        << QStringLiteral("\u00cf\u041f");
    QTest::newRow("deff without a font table") << QByteArray("{\\rtf1\\deff3\\plain \\'e9}") << QStringLiteral("\u00e9");

    // Raw double-byte text: the trail byte may be a brace or a backslash.
    QTest::newRow("Shift-JIS trail backslash")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 \x83\\\x95\\\x8e\xa6}") << QStringLiteral("\u30bd\u8868\u793a");
    QTest::newRow("Shift-JIS trail braces")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 \x83{\x83}}") << QStringLiteral("\u30dc\u30de");
    QTest::newRow("Shift-JIS trail after a pair")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 \x83\x83\\par x}") << QStringLiteral("\u30e3\nx");
    QTest::newRow("GBK trail backslash")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \xd5\\}") << QStringLiteral("\u8aa0");
    QTest::newRow("single-byte code page: high byte before a word")
        << QByteArray("{\\rtf1 caf\xe9\\b x}") << QStringLiteral("caf\u00e9x");
    QTest::newRow("symbol font: high byte before a brace")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 \xb7{x}}") << QStringLiteral("\u00b7x");
}

void TextDocumentTest::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(rawText(document), expected);
}

// Documents written the way a writer writes them, with the text they hold.
void TextDocumentTest::writerFixtures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("expected");
    // TextEdit ends each line of the body with a backslash.
    QTest::newRow("TextEdit line ends") << QStringLiteral("textedit-line-ends.rtf")
                                        << QStringLiteral("First line\nSecond line\n\nAfter an empty line");
    // pandoc gives every \u character a fallback right after the number.
    QTest::newRow("pandoc dashes and quotes")
        << QStringLiteral("pandoc-dashes.rtf")
        << QStringLiteral("Dashes: one\u2014two, 1\u20132.\n\u201cQuoted\u201d text.\n");
    // Word writes Japanese documents in Shift-JIS, with raw double-byte text
    // whose trail bytes may be '\\', '{' or '}'.
    QTest::newRow("Word Shift-JIS")
        << QStringLiteral("codepage-shiftjis-word.rtf")
        << QStringLiteral("\u30bd\u8868\u793a\n\u041c\u0430\u0440\u043a\u0435\u0440\u044b \u0441\u043f\u0438\u0441\u043a\u0430\ncaf\u00e9 \u30dc\u30de\n");
    // Older TextEdit names the Mac character set with \mac alone.
    QTest::newRow("TextEdit Mac Roman")
        << QStringLiteral("codepage-textedit-mac.rtf")
        << QStringLiteral("Caf\u00e9 cr\u00e8me br\u00fcl\u00e9e \u2022 na\u00efve\n\u041f\u0430\u0441\u0438\u0436");
    // pandoc writes characters beyond the BMP as surrogate pairs.
    QTest::newRow("pandoc surrogate pairs")
        << QStringLiteral("unicode-pandoc-surrogates.rtf")
        << QStringLiteral("Smile \U0001F600 and gothic \U00010332.\nCaf\u00e9, na\u00efve \u201cquotes\u201d.\n");
}

void TextDocumentTest::writerFixtures()
{
    QFETCH(QString, fixture);
    QFETCH(QString, expected);
    QFile rtf(TestHelpers::dataFile(fixture));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QTextDocument document;
    QVERIFY(parseInto(rtf.readAll(), &document));
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

// A few sentences of real files that need \bin data, backslash line ends
// and \uN- fallbacks to come out whole.
void TextDocumentTest::corpusSentences_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    const QString corpus = QStringLiteral(TAVISK_CORPUS_DIR);
    if (!QDir(corpus).exists())
        QSKIP("the RTF corpus is not available");
    auto row = [&corpus](const char *file, const QStringList &present, const QStringList &absent) {
        QTest::newRow(file) << corpus + QLatin1Char('/') + QLatin1String(file) << present << absent;
    };
    // A JPEG given with \bin holds braces: the text after it is three
    // quarters of the file.
    row("striprtf/BVWGT_20241227_W258_2227269_1_00_01.rtf",
        {QStringLiteral("nämlich nach welchen Kriterien zu unterscheiden ist"),
         QStringLiteral("ECLI:AT:BVWG:2024:W258.2227269.1.01")},
        {});
    row("libreoffice/bin-skipping.rtf", {QStringLiteral("text")}, {QStringLiteral("MUST NOT IMPORT")});
    row("rtfjs/simplepngbin.rtf", {QStringLiteral("\uFFFC")}, {});
    row("striprtf/mac_textedit_hyperlink.rtf", {QStringLiteral("macOS text edit hyperlink\n")}, {});
    row("pandoc/writer.rtf", {QStringLiteral("Some dashes: one\u2014two \u2014 three\u2014four \u2014 five."),
                              QStringLiteral("Ellipses\u2026and\u2026and\u2026."),
                              QStringLiteral("\u2018Shelob\u2019 is my name.")},
        {});
    // Raw Shift-JIS whose trail bytes are '{', '}' and '\\'.
    row("libreoffice/fdo79384.rtf", {QStringLiteral("\u041c\u0430\u0440\u043a\u0435\u0440\u044b \u0441\u043f\u0438\u0441\u043a\u0430\u043c\u042b")}, {});
    // \ansicpg1251 decodes a font without \fcharset.
    row("rtfpipe/Issue34.rtf", {QStringLiteral("\u0423 \u0425 \u0412 \u0410 \u041b \u0410")}, {});
    // TextEdit's Mac Japanese character set.
    row("rtfparserkit/test10001Encoding.rtf", {QStringLiteral("\u304a\u8aad\u307f\u304f\u3060\u3055\u3044")}, {});
    // \u characters under \uc2 and Gothic letters as surrogate pairs.
    row("tika/testRTFVarious.rtf",
        {QStringLiteral("\uff08\uff27\uff28\uff31\uff09"),
         QStringLiteral("\u30be\u30eb\u30b2\u3068\u5c3e\u5d0e\u3001\u6de1\u3005\u3068\u6700\u671f"),
         QStringLiteral("\U00010332\U0001033F\U00010344\U00010339\U00010343\U0001033A")},
        {});
}

void TextDocumentTest::corpusSentences()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    if (!QFile::exists(fileName))
        QSKIP("this corpus file is not available");

    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    Reader reader;
    QVERIFY(reader.open(fileName));
    QVERIFY(reader.parseTo(&output));
    const QString text = document.toPlainText();
    for (const QString &sentence : present)
        QVERIFY2(text.contains(sentence), qPrintable(sentence));
    for (const QString &sentence : absent)
        QVERIFY2(!text.contains(sentence), qPrintable(sentence));
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

// Formats that change and come back: every run must be inserted with the
// format in force for it, never with one remembered from an earlier run.
// A subclass that decodes differently: the body's text is what its
// convertText() returns, also while the output gathers text.
void TextDocumentTest::convertTextOverrideDecidesBodyText()
{
    class ShoutingOutput : public TextDocumentRtfOutput
    {
    public:
        using TextDocumentRtfOutput::TextDocumentRtfOutput;
        QString convertText(const QByteArray &text) const override
        {
            return TextDocumentRtfOutput::convertText(text).toUpper();
        }
    };
    QTextDocument document;
    ShoutingOutput output(&document);
    QBuffer buffer; // outlives the reader, which reads from it
    Reader reader;
    buffer.setData("{\\rtf1\\ansi quiet {\\b words}\\'e9\\par}");
    QVERIFY(reader.open(&buffer));
    QVERIFY(reader.parseTo(&output));
    QCOMPARE(document.toPlainText(), QStringLiteral("QUIET WORDS\u00c9\n"));
}

void TextDocumentTest::formatSwitching_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    const QByteArray tables = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    QTest::newRow("bold on and off")
        << QByteArray("{\\rtf1 a\\b b\\b0 c\\b d\\b0 e}")
        << QStringList{QStringLiteral("a|"), QStringLiteral("b|size=12 weight=700"),
                       QStringLiteral("c|size=12 weight=400"), QStringLiteral("d|size=12 weight=700"),
                       QStringLiteral("e|size=12 weight=400")};
    QTest::newRow("off and on again between two runs")
        << QByteArray("{\\rtf1 \\b a\\b0\\b b\\i\\i0 c}")
        << QStringList{QStringLiteral("ab|size=12 weight=700"), QStringLiteral("c|size=12 weight=700 upright")};
    QTest::newRow("groups that change nothing")
        << QByteArray("{\\rtf1 \\i a{b}{\\i c}d}") << QStringList{QStringLiteral("abcd|size=12 italic")};
    QTest::newRow("colours restored by groups")
        << QByteArray("{\\rtf1") + tables + "\\cf1 a{\\cf2 b}c{\\cf2 d{\\cf0 e}f}g\\highlight2 h\\cf2 i}"
        << QStringList{QStringLiteral("a|size=12 fg=#ff0000 font=Arial"),
                       QStringLiteral("b|size=12 fg=#0000ff font=Arial"),
                       QStringLiteral("c|size=12 fg=#ff0000 font=Arial"),
                       QStringLiteral("d|size=12 fg=#0000ff font=Arial"), QStringLiteral("e|size=12 font=Arial"),
                       QStringLiteral("f|size=12 fg=#0000ff font=Arial"),
                       QStringLiteral("g|size=12 fg=#ff0000 font=Arial"),
                       QStringLiteral("h|size=12 fg=#ff0000 bg=#0000ff font=Arial"),
                       QStringLiteral("i|size=12 fg=#0000ff bg=#0000ff font=Arial")};
    QTest::newRow("fonts and plain")
        << QByteArray("{\\rtf1") + tables + "\\f1\\fs20 a\\f0 b\\f1 c{\\f0\\b d}e\\plain f\\f1 g\\plain\\b h}"
        << QStringList{QStringLiteral("a|size=10 font=Courier New"), QStringLiteral("b|size=10 font=Arial"),
                       QStringLiteral("c|size=10 font=Courier New"),
                       QStringLiteral("d|size=10 weight=700 font=Arial"),
                       QStringLiteral("e|size=10 font=Courier New"), QStringLiteral("f|size=12 font=Arial"),
                       QStringLiteral("g|size=12 font=Courier New"),
                       QStringLiteral("h|size=12 weight=700 font=Arial")};
    // Two formats with the same properties set in another order are two
    // formats to the document: the runs stay apart, as they always were.
    QTest::newRow("same properties set in another order")
        << QByteArray("{\\rtf1 {\\i\\b x}{\\b\\i y}}")
        << QStringList{QStringLiteral("x|size=12 weight=700 italic"), QStringLiteral("y|size=12 weight=700 italic")};
    QTest::newRow("escapes in two code pages")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 Times Cyr;}{\\f1\\fcharset161 Times Greek;}}"
                      "\\f0 \\'c0\\'e1{\\f1 \\'c1\\'e2}\\'c2}")
        << QStringList{QStringLiteral("\u0410\u0431|size=12 font=Times Cyr"), QStringLiteral("\u0391\u03b2|size=12 font=Times Greek"),
                       QStringLiteral("\u0412|size=12 font=Times Cyr")};
}

void TextDocumentTest::formatSwitching()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(fragments(document), expected);
}

void TextDocumentTest::batchedAndUnbatchedAgree_data()
{
    QTest::addColumn<QString>("fileName");

    QStringList files;
    QDirIterator fixtures(QFileInfo(TestHelpers::dataFile(QStringLiteral("metadata.rtf"))).absolutePath(),
                          {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (fixtures.hasNext())
        files.append(fixtures.next());
    const QString corpus = QStringLiteral(TAVISK_CORPUS_DIR);
    QDirIterator corpusFiles(corpus, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (corpusFiles.hasNext())
        files.append(corpusFiles.next());
    files.sort();
    for (const QString &file : std::as_const(files))
        QTest::newRow(qPrintable(QFileInfo(file).dir().dirName() + QLatin1Char('/') + QFileInfo(file).fileName())) << file;
}

void TextDocumentTest::batchedAndUnbatchedAgree()
{
    QFETCH(QString, fileName);

    QTextDocument batched;
    {
        TextDocumentRtfOutput output(&batched);
        Reader reader;
        QVERIFY(reader.open(fileName));
        (void)reader.parseTo(&output);
    }
    QTextDocument unbatched;
    {
        UnbatchedOutput output(&unbatched);
        Reader reader;
        QVERIFY(reader.open(fileName));
        (void)reader.parseTo(&output);
    }
    QCOMPARE(fragments(batched), fragments(unbatched));
    QCOMPARE(blocks(batched), blocks(unbatched));
    // Pictures are numbered through the process: the second parse names
    // them differently.
    const QRegularExpression imageName(QStringLiteral("<img src=\"[^\"]*\""));
    QCOMPARE(batched.toHtml().replace(imageName, QStringLiteral("<img")),
             unbatched.toHtml().replace(imageName, QStringLiteral("<img")));
}

// Text in a code page of one byte per character, in runs of any length,
// reads as the code page's decoder reads it in one piece.
void TextDocumentTest::singleByteCodePages_data()
{
    QTest::addColumn<QString>("encoding");
    for (const char *name : {"Windows-1250", "Windows-1251", "Windows-1252", "Windows-1253", "Windows-1254",
                             "Windows-1255", "Windows-1256", "Windows-1257", "Windows-1258", "Windows-874",
                             "ISO-8859-5", "IBM437", "IBM850", "IBM866", "Macintosh", "x-mac-cyrillic", "KOI8-R"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TextDocumentTest::singleByteCodePages()
{
    QFETCH(QString, encoding);
    QStringDecoder decoder(encoding.toLatin1().constData());
    if (!decoder.isValid())
        QSKIP("Qt has no decoder for this code page");

    QByteArray bytes;
    for (int byte = 0x20; byte <= 0xFF; ++byte)
        bytes.append(char(byte));
    // Less the control characters the document leaves out (0x7F is one
    // in the IBM code pages).
    const QString expected =
        QString(decoder.decode(bytes)).remove(QRegularExpression(QStringLiteral("[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F]")));

    QTextDocument document;
    TextDocumentRtfOutput output(&document);
    output.beginParse();
    output.insertFontTableEntry(fontEntry(QStringLiteral("F"), encoding), 0);
    output.setFont(0);
    for (qsizetype start = 0, length = 1; start < bytes.size(); start += length, length = length % 7 + 1)
        output.appendText(bytes.mid(start, length));
    output.endParse();
    QCOMPARE(rawText(document), expected);
    QCOMPARE(output.convertText(bytes), expected);
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

void TextDocumentTest::tables_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    const auto file = [](const char *name) { return TestHelpers::readFile(TestHelpers::dataFile(QString::fromLatin1(name))); };
    // Widths: 3008 - -108 twips and 6125 - 3008 twips at 96 pixels an inch.
    QTest::newRow("Word: header row, widths")
        << file("structure-tables-word.rtf")
        << QStringLiteral("Before the table.\n[2x2 header=1 widths=208,208: Fruit/Colour | Apple/Red]\nAfter the table.\n");
    QTest::newRow("LibreOffice: horizontal merge")
        << file("structure-tables-libreoffice.rtf")
        << QStringLiteral("Before\n[2x3 widths=160,160,329: One/Two and three{1x2}/~ | Four/Five/Six]\nAfter\n");
    QTest::newRow("nested table inside a cell")
        << file("structure-tables-nested.rtf")
        << QStringLiteral("Nested tables:\n[1x2 widths=274,267: Outer one\n[2x2 widths=127,120: Inner A/Inner B | Inner C/Inner D]\n/Outer two]\nAfter.\n");
    QTest::newRow("vertical merge")
        << QByteArray("{\\rtf1 \\trowd\\clvmgf\\cellx1440\\cellx2880\\pard\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1440\\cellx2880\\pard\\intbl \\cell C\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1440\\cellx2880\\pard\\intbl \\cell D\\cell\\row"
                      "\\trowd\\cellx1440\\cellx2880\\pard\\intbl E\\cell F\\cell\\row\\pard x}")
        << QStringLiteral("\n[4x2 widths=96,96: A{3x1}/B | ~/C | ~/D | E/F]\nx");
    QTest::newRow("a block merged both ways")
        << QByteArray("{\\rtf1 \\trowd\\clmgf\\clvmgf\\cellx1000\\clmrg\\clvmgf\\cellx2000\\cellx3000\\pard\\intbl A\\cell\\cell B\\cell\\row"
                      "\\trowd\\clmgf\\clvmrg\\cellx1000\\clmrg\\clvmrg\\cellx2000\\cellx3000\\pard\\intbl \\cell\\cell C\\cell\\row\\pard x}")
        << QStringLiteral("\n[2x3 widths=*,*,67: A{2x2}/~/B | ~/~/C]\nx");
    QTest::newRow("rows of different cell counts stay one table")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\pard\\intbl A\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl B\\cell C\\cell D\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\pard\\intbl E\\cell F\\cell\\row\\pard x}")
        << QStringLiteral("\n[3x3 widths=67,67,67: A{1x3}/~/~ | B/C/D | E/F{1x2}/~]\nx");
    QTest::newRow("more cells than the definition gives")
        << QByteArray("{\\rtf1\\ansi\n\\par\n\\trowd\n\\cellx10836\n\\pard \\intbl A \\cell\n\\pard \\intbl B \\cell\n"
                      "\\pard \\intbl C \\cell\n\\row\n\\pard\n}")
        << QStringLiteral("\n[1x3 widths=722,*,*: A /B /C ]\n");
    QTest::newRow("a row left open at the end keeps its text")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B")
        << QStringLiteral("\n[1x2 widths=67,67: A/B]\n");
    QTest::newRow("a row left open before a paragraph outside the table")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\pard after}")
        << QStringLiteral("\n[1x2 widths=67,67: A/B]\nafter");
    QTest::newRow("paragraphs inside a cell")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\pard\\intbl one\\par two\\cell\\row\\pard x}")
        << QStringLiteral("\n[1x1 widths=67: one\ntwo]\nx");
    QTest::newRow("a non-table paragraph splits two tables")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\pard\\intbl A\\cell\\row\\pard between\\par"
                      "\\trowd\\cellx1000\\pard\\intbl B\\cell\\row\\pard x}")
        << QStringLiteral("\n[1x1 widths=67: A]\nbetween\n[1x1 widths=67: B]\nx");
    QTest::newRow("cells without intbl after a row definition")
        << QByteArray("{\\rtf1 \\trowd\\cellx1000\\cellx2000 A\\cell B\\cell\\row\\pard x}")
        << QStringLiteral("\n[1x2 widths=67,67: A/B]\nx");
    QTest::newRow("a level deeper than the next one opens the levels between")
        << QByteArray("{\\rtf1 \\pard\\intbl\\itap3 deep\\nestcell\\nestrow\\pard x}")
        << QStringLiteral("\n[1x1: \n[1x1: \n[1x1: deep]\n]\n]\nx");
}

void TextDocumentTest::tables()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    const QString actual = describeFrame(document.rootFrame());
    if (actual != expected)
        qDebug().noquote() << actual;
    QCOMPARE(actual, expected);
}

void TextDocumentTest::tableCellFormats()
{
    QTextDocument document;
    QVERIFY(parseInto(TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("structure-tables-word.rtf"))), &document));
    QTextTable *table = nullptr;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable *>(frame);
    QVERIFY(table);
    // \clcbpat2 is yellow; \clvertalc centres; \clbrdrt\brdrs\brdrw10 is a
    // visible border of at least a pixel.
    const QTextTableCellFormat header = table->cellAt(0, 0).format().toTableCellFormat();
    QCOMPARE(header.background().color(), QColor(Qt::yellow));
    QCOMPARE(header.topBorderStyle(), QTextFrameFormat::BorderStyle_Solid);
    QVERIFY(header.topBorder() >= 1.0);
    QCOMPARE(header.topBorderBrush().color(), QColor(Qt::black));
    QCOMPARE(table->cellAt(0, 1).format().verticalAlignment(), QTextCharFormat::AlignMiddle);
    QCOMPARE(table->cellAt(1, 0).format().background().style(), Qt::NoBrush);
    // \trgaph108 pads the cells.
    QCOMPARE(qRound(table->format().cellPadding()), 7);
}

void TextDocumentTest::sectionBreaks_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<bool>>("pageBreaks");

    QTest::newRow("a new section starts on a new page by default")
        << QByteArray("{\\rtf1 one\\sect two\\par three}") << QList<bool>{false, true, false};
    QTest::newRow("continuous and column breaks stay on the page")
        << QByteArray("{\\rtf1 one\\sect\\sectd\\sbknone two\\sect\\sbkcol three}") << QList<bool>{false, false, false};
    QTest::newRow("odd and even pages")
        << QByteArray("{\\rtf1 one\\sect\\sbkodd two\\sect\\sectd\\sbkeven three}") << QList<bool>{false, true, true};
    QTest::newRow("the first section's break type does nothing")
        << QByteArray("{\\rtf1 \\sbkpage one\\par two}") << QList<bool>{false, false};
}

void TextDocumentTest::sectionBreaks()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<bool>, pageBreaks);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QList<bool> actual;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        actual.append(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(actual, pageBreaks);
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

    QTest::newRow("unicode skip at the limit ends at the brace")
        << QByteArray("{\\rtf1 a\\uc2147483647\\u8364 bcd{\\b efg}\\par hij}") << QStringLiteral("a\u20acefg\nhij");
    QTest::newRow("1000000 uc groups")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\uc2 x}").repeated(1000000) + QByteArray("\\u8364 ab}")
        << QString(1000000, QLatin1Char('x')) + QStringLiteral("\u20acb");
    QTest::newRow("1000000 nested uc groups")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\uc0 ").repeated(1000000) + QByteArray("\\u8364 ab")
        << QStringLiteral("\u20acab");
    QTest::newRow("negative unicode skip skips nothing")
        << QByteArray("{\\rtf1 \\uc-2147483648\\u8364?}") << QStringLiteral("\u20ac?");
    QTest::newRow("unicode values at the limits")
        << QByteArray("{\\rtf1 \\uc0\\u2147483647\\u-2147483647\\u65601 a}")
        << QStringLiteral("\uffffAa");
    // The rest of the file is the data of \bin: read, then dropped.
    QTest::newRow("bin with a huge length swallows the rest")
        << QByteArray("{\\rtf1 a\\bin2147483647 b}") << QStringLiteral("a");
    QByteArray tabs = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i)
        tabs += "\\tqr\\tldot\\tx" + QByteArray::number(i);
    QTest::newRow("100000 tab stops in one paragraph") << tabs + " a\\tab b}" << QStringLiteral("a\tb");
    QTest::newRow("20000 page breaks")
        << QByteArray("{\\rtf1 ") + QByteArray("x\\page\\page ").repeated(20000) + "}"
        << QStringList(20000, QStringLiteral("x")).join(QLatin1Char('\n')) + QLatin1Char('\n');
    QTest::newRow("100000 nested hidden groups, never closed")
        << QByteArray("{\\rtf1 a") + QByteArray("{\\v x{\\v0 y}").repeated(100000) << QString(QStringLiteral("a") + QString(100000, QLatin1Char('y')));
    QTest::newRow("raised text and line spacing at the limits")
        << QByteArray("{\\rtf1 \\fs1\\up2147483647 a\\dn2147483647 b\\sl2147483647 c\\sl-2147483648 d}") << QStringLiteral("abcd");
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

    // Lists.
    const QByteArray listTable = "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                                 "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    QTest::newRow("100000 list items")
        << "{\\rtf1 " + listTable + "\\pard\\ls1 " + QByteArray("{\\listtext 1.\\tab}x\\par ").repeated(100000) + "}"
        << QString(100000, QLatin1Char('x')).split(QString()).mid(1, 100000).join(QLatin1Char('\n')) + QLatin1Char('\n');
    QByteArray overrides = "{\\*\\listoverridetable";
    QByteArray items;
    for (int i = 0; i < 10000; ++i) {
        overrides += "{\\listoverride\\listid1\\ls" + QByteArray::number(i) + "}";
        items += "\\pard\\ls" + QByteArray::number(i) + " x\\par ";
    }
    QTest::newRow("10000 lists")
        << "{\\rtf1 {\\*\\listtable{\\list{\\listlevel\\levelnfc23}\\listid1}}" + overrides + "}" + items + "}"
        << QString(10000, QLatin1Char('x')).split(QString()).mid(1, 10000).join(QLatin1Char('\n')) + QLatin1Char('\n');
    QTest::newRow("list numbers at the limits")
        << "{\\rtf1 " + listTable + "\\pard\\ls2147483647\\ilvl2147483647 a\\par\\pard\\ls-2147483648\\ilvl-5 b\\par"
               "\\pard\\ls1\\ilvl-2147483648 c}"
        << QStringLiteral("a\nb\nc");
    QTest::newRow("100000 nested list texts")
        << QByteArray("{\\rtf1 ") + QByteArray("{\\listtext x").repeated(100000) + QByteArray(100000, '}') + "y}"
        << QString(100000, QLatin1Char('x')) + QLatin1Char('y');
    QTest::newRow("list text left open by the end of the file")
        << QByteArray("{\\rtf1 {\\listtext 1.\\tab text\\par more") << QStringLiteral("1.\ttext\nmore");
    QTest::newRow("a level text that never ends")
        << "{\\rtf1 {\\*\\listtable{\\list{\\listlevel{\\leveltext\\u-1 " + QByteArray("\\'01", 4).repeated(200000)
               + "}{\\levelnumbers " + QByteArray("\\'01", 4).repeated(200000) + "}}}}a}"
        << QStringLiteral("a");
}

// Malformed and very large tables: no crash, no hang, and the text stays,
// in order (the white space between cells depends on the structure built).
void TextDocumentTest::hostileTables_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cell and row ends outside a table")
        << QByteArray("{\\rtf1 a\\cell b\\row c\\nestcell d\\nestrow\\pard e}") << QStringLiteral("abcde");
    QTest::newRow("row end without cells") << QByteArray("{\\rtf1 \\trowd\\cellx100\\row\\pard a}") << QStringLiteral("a");
    QTest::newRow("nesting level at the limits")
        << QByteArray("{\\rtf1 \\pard\\intbl\\itap1000000 a\\nestcell\\itap-5 b\\itap2147483647 c\\nestrow\\pard d}")
        << QStringLiteral("abcd");
    QTest::newRow("descending and negative cell edges")
        << QByteArray("{\\rtf1 \\trowd\\trleft-2147483648\\trgaph2147483647\\clbrdrt\\brdrs\\brdrw2147483647\\cellx5000\\cellx-100\\cellx-2147483648\\cellx2147483647"
                      "\\pard\\intbl a\\cell b\\cell c\\cell d\\cell\\row\\pard e}")
        << QStringLiteral("abcde");
    QByteArray wide = "{\\rtf1 \\trowd";
    for (int i = 1; i <= 10000; ++i)
        wide += "\\cellx" + QByteArray::number(i * 10);
    wide += "\\pard\\intbl " + QByteArray("x\\cell ").repeated(10000) + "\\row";
    QTest::newRow("10000 columns, then narrow rows")
        << wide + QByteArray("\\trowd\\cellx10\\pard\\intbl y\\cell\\row").repeated(1000) + "\\pard z}"
        << QString(10000, QLatin1Char('x')) + QString(1000, QLatin1Char('y')) + QLatin1Char('z');
    QTest::newRow("cells beyond the width of a tall table")
        << QByteArray("{\\rtf1 ") + QByteArray("\\trowd\\cellx10\\pard\\intbl y\\cell\\row").repeated(20000)
               + "\\pard\\intbl " + QByteArray("x\\cell ").repeated(100) + "\\row\\pard z}"
        << QString(20000, QLatin1Char('y')) + QString(100, QLatin1Char('x')) + QLatin1Char('z');
    QTest::newRow("100000 rows")
        << QByteArray("{\\rtf1 ") + QByteArray("\\trowd\\cellx10\\cellx20\\pard\\intbl y\\cell z\\cell\\row").repeated(100000)
               + "\\pard e}"
        << QStringLiteral("yz").repeated(100000) + QLatin1Char('e');
    QTest::newRow("a merge in every row of a long table")
        << QByteArray("{\\rtf1 ") + QByteArray("\\trowd\\clmgf\\cellx10\\clmrg\\cellx20\\clvmgf\\cellx30\\pard\\intbl a\\cell\\cell b\\cell\\row").repeated(20000)
               + "\\pard e}"
        << QStringLiteral("ab").repeated(20000) + QLatin1Char('e');
    QTest::newRow("10000 tables, a paragraph apart")
        << QByteArray("{\\rtf1 ") + QByteArray("\\trowd\\cellx10\\pard\\intbl a\\cell\\row\\pard b\\par").repeated(10000) + "}"
        << QStringLiteral("ab").repeated(10000);
    // The header leaves the body, and its \\cell with it; the note leaves a
    // mark and its table goes to the notes section.
    QTest::newRow("a header inside a cell, a table inside a note")
        << QByteArray("{\\rtf1 \\trowd\\cellx100\\pard\\intbl a{\\header b\\cell}c\\cell\\row{\\footnote \\pard\\intbl d\\cell\\row}\\pard e}")
        << QStringLiteral("ac1e1d");
    // A note or header keeps its own tables: text outside any table in the
    // note must not close the table of the body around it, and tables left
    // open in a note close in the note.
    QTest::newRow("a note outside a table, inside a cell")
        << QByteArray("{\\rtf1 \\trowd\\cellx100\\pard\\intbl a{\\footnote \\pard x}b\\cell\\row\\pard e}")
        << QStringLiteral("a1be1x");
    QTest::newRow("a header with a table, inside a cell")
        << QByteArray("{\\rtf1 \\trowd\\cellx100\\pard\\intbl a{\\header \\trowd\\cellx50\\pard\\intbl h\\cell}b\\cell\\row\\pard e}")
        << QStringLiteral("abe");
    QTest::newRow("cut short in a table of a note in a table")
        << QByteArray("{\\rtf1 \\trowd\\cellx100\\pard\\intbl a{\\footnote \\trowd\\cellx50\\pard\\intbl x")
        << QStringLiteral("a11x");
}

void TextDocumentTest::hostileTables()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QString text = rawText(document);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    QCOMPARE(text, expected);
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

namespace
{
// A number in a list style, for the descriptions below.
QString listNumber(QTextListFormat::Style style, int n)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        const QChar letter(QLatin1Char('a').unicode() + (n - 1) % 26);
        return style == QTextListFormat::ListUpperAlpha ? QString(letter.toUpper()) : QString(letter);
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        static const char *const romans[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix", "x"};
        const QString roman = QString::fromLatin1(n >= 0 && n <= 10 ? romans[n] : "?");
        return style == QTextListFormat::ListUpperRoman ? roman.toUpper() : roman;
    }
    default:
        return QString::number(n);
    }
}

// One line per block: its text, and for a list item first the marker made
// from the list's format ("[disc]", "[decimal 1.]") after two spaces per
// level below the first. The start number is read from the property that
// Qt 6.6 names QTextFormat::ListStart.
QStringList describeLists(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextList *list = block.textList();
        if (!list) {
            lines.append(block.text());
            continue;
        }
        const QTextListFormat format = list->format();
        QString marker;
        switch (format.style()) {
        case QTextListFormat::ListDisc:
            marker = QStringLiteral("disc");
            break;
        case QTextListFormat::ListCircle:
            marker = QStringLiteral("circle");
            break;
        case QTextListFormat::ListSquare:
            marker = QStringLiteral("square");
            break;
        default: {
            const int start = format.hasProperty(0x3004) ? format.intProperty(0x3004) : 1;
            const char *name = format.style() == QTextListFormat::ListDecimal      ? "decimal"
                               : format.style() == QTextListFormat::ListLowerAlpha ? "lower-alpha"
                               : format.style() == QTextListFormat::ListUpperAlpha ? "upper-alpha"
                               : format.style() == QTextListFormat::ListLowerRoman ? "lower-roman"
                               : format.style() == QTextListFormat::ListUpperRoman ? "upper-roman"
                                                                                   : "?";
            marker = QStringLiteral("%1 %2%3%4")
                         .arg(QString::fromLatin1(name), format.numberPrefix(),
                              listNumber(format.style(), start + list->itemNumber(block)), format.numberSuffix());
            break;
        }
        }
        lines.append(QString(2 * (format.indent() - 1), QLatin1Char(' ')) + QStringLiteral("[%1] ").arg(marker)
                     + block.text());
    }
    return lines;
}
} // namespace

void TextDocumentTest::lists_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    auto file = [](const char *name) { return TestHelpers::readFile(TestHelpers::dataFile(QString::fromLatin1(name))); };

    // The markers Word, LibreOffice and WordPad store before each item are
    // dropped: the lists draw them.
    QTest::newRow("Word 2016") << file("structure-lists-word.rtf")
                               << QStringList{QStringLiteral("Shopping:"),
                                              QStringLiteral("[disc] Apples"),
                                              QStringLiteral("[disc] Pears"),
                                              QStringLiteral("  [circle] Green pears"),
                                              QStringLiteral("    [square] Conference"),
                                              QStringLiteral("[disc] Plums"),
                                              QStringLiteral("Steps:"),
                                              QStringLiteral("[decimal 1.] Open the box"),
                                              QStringLiteral("  [lower-alpha a)] Carefully"),
                                              QStringLiteral("[decimal 2.] Take it out"),
                                              QStringLiteral("Later:"),
                                              QStringLiteral("[decimal 5.] Close it"),
                                              QString(),
                                              QString()};
    // The \ls comes after the marker; a level whose text has no number
    // keeps its marker text and is no list item.
    QTest::newRow("LibreOffice") << file("structure-lists-libreoffice.rtf")
                                 << QStringList{QStringLiteral("Numbered:"),
                                                QStringLiteral("[decimal 1.] one"),
                                                QStringLiteral("[decimal 2.] two"),
                                                QStringLiteral("  [decimal 1.] two and a half"),
                                                QStringLiteral("[decimal 3.] three"),
                                                QStringLiteral("Bullets:"),
                                                QStringLiteral("[disc] first"),
                                                QStringLiteral("[disc] second"),
                                                QStringLiteral("  [disc] nested"),
                                                QStringLiteral("\tHeading without a number"),
                                                QStringLiteral("End."),
                                                QString()};
    QTest::newRow("WordPad") << file("structure-lists-wordpad.rtf")
                             << QStringList{QStringLiteral("Before"),
                                            QStringLiteral("[disc] One"),
                                            QStringLiteral("[disc] Two"),
                                            QStringLiteral("[decimal 1.] First"),
                                            QStringLiteral("[decimal 2.] Second"),
                                            QStringLiteral("[upper-alpha C)] Third letter"),
                                            QStringLiteral("After"),
                                            QString()};

    const QByteArray table = "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"
                             "\\fi-360\\li720}\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}";
    QTest::newRow("no list table: the marker is the text")
        << QByteArray("{\\rtf1 \\pard\\ls1 {\\listtext 1.\\tab}One\\par {\\pntext \\'b7\\tab}Two\\par}")
        << QStringList{QStringLiteral("1.\tOne"), QStringLiteral("\u00b7\tTwo"), QString()};
    QTest::newRow("an override of no list: the marker is the text")
        << "{\\rtf1 " + table + "\\pard\\ls2 {\\listtext 1.\\tab}One\\par}"
        << QStringList{QStringLiteral("1.\tOne"), QString()};
    QTest::newRow("\\pard ends the list")
        << "{\\rtf1 " + table + "\\pard\\ls1 {\\listtext 1.\\tab}One\\par {\\listtext 2.\\tab}Two\\par\\pard Three}"
        << QStringList{QStringLiteral("[decimal 1.] One"), QStringLiteral("[decimal 2.] Two"), QStringLiteral("Three")};
    QTest::newRow("numbering goes on after a paragraph outside the list")
        << "{\\rtf1 " + table + "\\pard\\ls1 A\\par\\pard B\\par\\pard\\ls1 C}"
        << QStringList{QStringLiteral("[decimal 1.] A"), QStringLiteral("B"), QStringLiteral("[decimal 2.] C")};
    QTest::newRow("paragraph words inside the marker stay there")
        << "{\\rtf1 " + table + "\\pard\\ls1\\li720 {\\listtext\\pard\\plain 1.\\tab}One}"
        << QStringList{QStringLiteral("[decimal 1.] One")};
    QTest::newRow("marker without a list keeps its format")
        << QByteArray("{\\rtf1 \\pard{\\listtext\\b 1.\\tab}One}") << QStringList{QStringLiteral("1.\tOne")};
    QTest::newRow("a list paragraph without its marker continues the item")
        << "{\\rtf1 " + table + "\\pard\\ls1 {\\listtext 1.\\tab}One\\par\\pard\\ls1 more\\par\\pard\\ls1 {\\listtext 2.\\tab}Two}"
        << QStringList{QStringLiteral("[decimal 1.] One"), QStringLiteral("more"), QStringLiteral("[decimal 2.] Two")};
    QTest::newRow("level past a simple list's one level")
        << "{\\rtf1 " + table + "\\pard\\ls1\\ilvl4 A}" << QStringList{QStringLiteral("[decimal 1.] A")};
    QTest::newRow("Word 6 numbering ends with the first paragraph without")
        << QByteArray("{\\rtf1 \\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}A\\par B\\par\\pard C\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}D}")
        << QStringList{QStringLiteral("[decimal 1.] A"), QStringLiteral("[decimal 2.] B"), QStringLiteral("C"),
                       QStringLiteral("[decimal 1.] D")};
    QTest::newRow("Word 6 outline levels nest")
        << QByteArray("{\\rtf1 \\pard{\\*\\pn\\pnlvl1\\pnucrm{\\pntxta .}}A\\par"
                      "\\pard{\\*\\pn\\pnlvl2\\pnlcltr{\\pntxtb (}{\\pntxta )}}B\\par"
                      "\\pard{\\*\\pn\\pnlvl1\\pnucrm{\\pntxta .}}C}")
        << QStringList{QStringLiteral("[upper-roman I.] A"), QStringLiteral("  [lower-alpha (a)] B"),
                       QStringLiteral("[upper-roman II.] C")};
    QTest::newRow("\\pnlvlcont numbers nothing")
        << QByteArray("{\\rtf1 \\pard{\\*\\pn\\pnlvlcont}A}") << QStringList{QStringLiteral("A")};
    QTest::newRow("the list table comes first when both are given")
        << "{\\rtf1 " + table + "\\pard{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}\\ls1 A}"
        << QStringList{QStringLiteral("[decimal 1.] A")};
}

void TextDocumentTest::lists()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(rtf, &document));
    QCOMPARE(describeLists(document), expected);
}

void TextDocumentTest::listLevelIndents()
{
    // The item's text stands where the writer put it (\li720 is 48 pixels):
    // the list's indent plus what is left of the paragraph's.
    QTextDocument document;
    QVERIFY(parseInto(TestHelpers::readFile(TestHelpers::dataFile(QStringLiteral("structure-lists-word.rtf"))),
                      &document));
    const QTextBlock apples = document.findBlockByNumber(1);
    const QTextBlock green = document.findBlockByNumber(3);
    QVERIFY(apples.textList() && green.textList());
    QCOMPARE(apples.textList()->format().indent(), 1);
    QCOMPARE(green.textList()->format().indent(), 2);
    const double indentWidth = document.indentWidth();
    QCOMPARE(apples.blockFormat().leftMargin() + indentWidth, 48.0);
    QCOMPARE(green.blockFormat().leftMargin() + 2 * indentWidth, 96.0);
    QCOMPARE(apples.blockFormat().textIndent(), 0.0);
    // The paragraph after the list is no item and keeps no list indent.
    const QTextBlock after = document.findBlockByNumber(6);
    QCOMPARE(after.text(), QStringLiteral("Steps:"));
    QVERIFY(!after.textList());
    QCOMPARE(after.blockFormat().leftMargin(), 0.0);
}

void TextDocumentTest::listCorpus_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("expected");

    const QString corpus = QStringLiteral(TAVISK_CORPUS_DIR);
    if (!QFile::exists(corpus + QStringLiteral("/pandoc/list_simple.rtf")))
        QSKIP("the RTF corpus is not available");
    // The items of the expected outputs, with their nesting.
    QTest::newRow("list_legacy") << corpus + QStringLiteral("/pandoc/list_legacy.rtf")
                                 << QStringList{QStringLiteral("[decimal 1.] A"), QStringLiteral("[decimal 2.] Numbered"),
                                                QStringLiteral("[decimal 3.] List"), QStringLiteral("[disc] A"),
                                                QStringLiteral("[disc] Bulleted"), QStringLiteral("[disc] List"),
                                                QString()};
    QTest::newRow("list_multiparagraph")
        << corpus + QStringLiteral("/pandoc/list_multiparagraph.rtf")
        << QStringList{QStringLiteral("[disc] First item, paragraph one."),
                       QStringLiteral("First item, paragraph two."), QStringLiteral("[disc] Second item."), QString()};
}

void TextDocumentTest::listCorpus()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, expected);

    QTextDocument document;
    QVERIFY(parseInto(TestHelpers::readFile(fileName), &document));
    QCOMPARE(describeLists(document), expected);
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

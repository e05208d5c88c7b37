#ifndef TAVISK_ABSTRACTRTFOUTPUT_H
#define TAVISK_ABSTRACTRTFOUTPUT_H

#include <tavisk/fonttableentry.h>
#include <tavisk/listlevel.h>
#include <tavisk/stylesheettableentry.h>
#include <tavisk/tableformat.h>
#include <tavisk/tavisk_export.h>

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QTextImageFormat>
#include <QVariant>

#include <memory>

/// All of the library's classes and types.
namespace Tavisk
{

class AbstractRtfOutputPrivate;

/**
 * The sink that the reader drives.
 *
 * Every piece of text, formatting change, table entry and picture found in an
 * RTF file becomes one call of the pure operations below, in the order of the
 * input, on the thread that runs Reader::parseTo(). Derive from this class and
 * implement them to write your own output; TextDocumentRtfOutput is the one the
 * library provides.
 *
 * Units are those of RTF: indents, spacing and page sizes in twips (1/1440
 * inch), colours and fonts as indexes into the colour and font tables, font
 * sizes in points.
 *
 * The class also stores the document's metadata (the information group and the
 * user-defined properties), so every output keeps it without code of its own.
 * Read it back after parseTo() has returned. A value the document does not give
 * reads as a null string, an invalid date-time or -1. Nothing is reset between
 * parses: a second parse into the same output overwrites only what it sets.
 *
 * The metadata setters are virtual so that an output can react to a value as
 * it is read; an override that wants the value stored calls the base class.
 *
 * @par Thread-safety
 * Reentrant: separate outputs may be used on separate threads at once; one
 * output must not be used from two threads at a time, and must not be read
 * while a parse into it is running.
 *
 * @par Example
 * An output that keeps only the plain text:
 * @snippet customoutput.cpp output
 *
 * @see Reader::parseTo(), TextDocumentRtfOutput
 */
class TAVISK_EXPORT AbstractRtfOutput
{
public:
    /// Creates an output with no metadata stored.
    AbstractRtfOutput();
    /// Destroys the output and the metadata it stores.
    virtual ~AbstractRtfOutput();

    /// The value stored for the user property @p name (from
    /// {\\*\\userprops ...}), or an invalid QVariant when there is none.
    QVariant userProp(const QString &name) const;
    /// Every stored user property name, in no defined order.
    QList<QString> userPropNames() const;
    /// Stores @p value under @p name, replacing an earlier value. The reader
    /// calls this for each property of {\\*\\userprops ...}.
    void addUserProp(const QString &name, const QVariant &value);

    /// The document's author, from {\\author ...}; null when not given.
    virtual QString author() const;
    /// Stores @p author; called by the reader for {\\author ...}.
    virtual void setAuthor(const QString &author);
    /// The author's company, from {\\company ...}; null when not given.
    virtual QString companyName() const;
    /// Stores @p companyName; called by the reader for {\\company ...}.
    virtual void setCompanyName(const QString &companyName);
    /// The document's title, from {\\title ...}; null when not given.
    virtual QString title() const;
    /// Stores @p title; called by the reader for {\\title ...}.
    virtual void setTitle(const QString &title);
    /// The document's subject, from {\\subject ...}; null when not given.
    virtual QString subject() const;
    /// Stores @p subject; called by the reader for {\\subject ...}.
    virtual void setSubject(const QString &subject);
    /// The person who last edited the document, from {\\operator ...}; null
    /// when not given.
    virtual QString operatorName() const;
    /// Stores @p operatorName; called by the reader for {\\operator ...}.
    virtual void setOperatorName(const QString &operatorName);
    /// The author's manager, from {\\manager ...}; null when not given.
    virtual QString managerName() const;
    /// Stores @p managerName; called by the reader for {\\manager ...}.
    virtual void setManagerName(const QString &managerName);
    /// A comment on the document, from {\\comment ...}; null when not given.
    virtual QString comment() const;
    /// Stores @p comment; called by the reader for {\\comment ...}.
    virtual void setComment(const QString &comment);
    /// The document comment, from {\\doccomm ...}; null when not given.
    virtual QString documentComment() const;
    /// Stores @p documentComment; called by the reader for {\\doccomm ...}.
    virtual void setDocumentComment(const QString &documentComment);
    /// The document's keywords as one string, from {\\keywords ...}; null
    /// when not given.
    virtual QString keywords() const;
    /// Stores @p keywords; called by the reader for {\\keywords ...}.
    virtual void setKeywords(const QString &keywords);
    /// The document's category, from {\\category ...}; null when not given.
    virtual QString category() const;
    /// Stores @p category; called by the reader for {\\category ...}.
    virtual void setCategory(const QString &category);
    /// The base address of relative hyperlinks, from {\\hlinkbase ...}; null
    /// when not given.
    virtual QString hLinkBase() const;
    /// Stores @p hLinkBase; called by the reader for {\\hlinkbase ...}.
    virtual void setHLinkBase(const QString &hLinkBase);
    /// The program that wrote the document, from {\\*\\generator ...},
    /// without the trailing ';'; null when not given.
    virtual QString generatorInformation() const;
    /// Stores @p generatorInformation; called by the reader for
    /// {\\*\\generator ...}.
    virtual void setGeneratorInformation(const QString &generatorInformation);
    /// When the document was created, from {\\creatim ...}, in local time;
    /// invalid when not given.
    virtual QDateTime created() const;
    /// Stores @p created; called by the reader for {\\creatim ...}.
    virtual void setCreatedDateTime(const QDateTime &created);
    /// When the document was last revised, from {\\revtim ...}, in local
    /// time; invalid when not given.
    virtual QDateTime revised() const;
    /// Stores @p revised; called by the reader for {\\revtim ...}.
    virtual void setRevisedDateTime(const QDateTime &revised);
    /// When the document was last printed, from {\\printim ...}, in local
    /// time; invalid when not given.
    virtual QDateTime printed() const;
    /// Stores @p printed; called by the reader for {\\printim ...}.
    virtual void setPrintedDateTime(const QDateTime &printed);
    /// Total editing time in minutes, from \\edmins; -1 when not given.
    virtual int totalEditingTime() const;
    /// Stores @p totalEditingTime (minutes); called by the reader for \\edmins.
    virtual void setTotalEditingTime(int totalEditingTime);
    /// Number of pages, from \\nofpages; -1 when not given.
    virtual int numberOfPages() const;
    /// Stores @p numberOfPages; called by the reader for \\nofpages.
    virtual void setNumberOfPages(int numberOfPages);
    /// Number of words, from \\nofwords; -1 when not given.
    virtual int numberOfWords() const;
    /// Stores @p numberOfWords; called by the reader for \\nofwords.
    virtual void setNumberOfWords(int numberOfWords);
    /// Number of characters, from \\nofchars; -1 when not given.
    virtual int numberOfCharacters() const;
    /// Stores @p numberOfCharacters; called by the reader for \\nofchars.
    virtual void setNumberOfCharacters(int numberOfCharacters);
    /// Number of characters without spaces, from \\nofcharsws; -1 when not
    /// given.
    virtual int numberOfCharactersWithoutSpaces() const;
    /// Stores @p numberOfCharactersWithoutSpaces; called by the reader for
    /// \\nofcharsws.
    virtual void setNumberOfCharactersWithoutSpaces(int numberOfCharactersWithoutSpaces);
    /// The document's version number, from \\version; -1 when not given.
    virtual int versionNumber() const;
    /// Stores @p versionNumber; called by the reader for \\version.
    virtual void setVersionNumber(int versionNumber);
    /// The internal version number of the writing program, from \\vern; -1
    /// when not given.
    virtual int internalVersionNumber() const;
    /// Stores @p internalVersionNumber; called by the reader for \\vern.
    virtual void setInternalVersionNumber(int internalVersionNumber);

    /// Decodes raw RTF text bytes in the output's current encoding.
    ///
    /// The reader calls this for the text of the information group and of
    /// user properties, which arrive as bytes in the code page of the current
    /// font (\\fcharset, \\ansicpg). Returns the decoded text.
    virtual QString convertText(const QByteArray &text) const = 0;

    /// A run of body text, still encoded in the current font's code page.
    ///
    /// The bytes of @p text come straight from the file, with \\'hh escapes
    /// already turned into their byte; the output decodes them, usually with
    /// the encoding of the font last set by setFont().
    virtual void appendText(const QByteArray &text) = 0;
    /// Decoded text: one \\u character, a special character, or "\\n" for \\line.
    virtual void appendText(const QString &text) = 0;

    /// Ends the current paragraph (\\par).
    virtual void insertPar() = 0;
    /// A tab character (\\tab).
    virtual void insertTab() = 0;
    /// A left single quotation mark, U+2018 (\\lquote).
    virtual void insertLeftQuote() = 0;
    /// A right single quotation mark, U+2019 (\\rquote).
    virtual void insertRightQuote() = 0;
    /// A left double quotation mark, U+201C (\\ldblquote).
    virtual void insertLeftDoubleQuote() = 0;
    /// A right double quotation mark, U+201D (\\rdblquote).
    virtual void insertRightDoubleQuote() = 0;
    /// An en dash, U+2013 (\\endash).
    virtual void insertEnDash() = 0;
    /// An em dash, U+2014 (\\emdash).
    virtual void insertEmDash() = 0;
    /// An en space, U+2002 (\\enspace).
    virtual void insertEnSpace() = 0;
    /// An em space, U+2003 (\\emspace).
    virtual void insertEmSpace() = 0;
    /// A bullet, U+2022 (\\bullet).
    virtual void insertBullet() = 0;

    /// Returns the paragraph format to its defaults (\\pard).
    virtual void resetParagraphFormat() = 0;
    /// Aligns the current paragraph to the left (\\ql).
    virtual void setParagraphAlignmentLeft() = 0;
    /// Centres the current paragraph (\\qc).
    virtual void setParagraphAlignmentCentred() = 0;
    /// Justifies the current paragraph (\\qj).
    virtual void setParagraphAlignmentJustified() = 0;
    /// Aligns the current paragraph to the right (\\qr).
    virtual void setParagraphAlignmentRight() = 0;
    /// Indent of the paragraph's first line relative to its left indent, in
    /// @p twips; negative for a hanging indent (\\fi).
    virtual void setFirstLineIndent(int twips) = 0;
    /// Left indent of the paragraph in @p twips (\\li).
    virtual void setLeftIndent(int twips) = 0;
    /// Right indent of the paragraph in @p twips (\\ri).
    virtual void setRightIndent(int twips) = 0;

    /// Italic on when @p value is 1, off when 0 (\\i, \\i0).
    virtual void setFontItalic(int value) = 0;
    /// Bold on when @p value is 1, off when 0 (\\b, \\b0).
    virtual void setFontBold(int value) = 0;
    /// Underline on when @p value is 1, off when 0 (\\ul, \\ul0).
    virtual void setFontUnderline(int value) = 0;
    /// Font size in whole @p points; \\fs gives half-points, which the reader
    /// halves, and \\fs without a size (or \\fs0) gives 12.
    virtual void setFontPointSize(int points) = 0;
    /// Raises the following text as superscript (\\super).
    virtual void setFontSuperscript() = 0;
    /// Lowers the following text as subscript (\\sub).
    virtual void setFontSubscript() = 0;
    /// Strike-out on or off (\\strike, \\strike0), as @p value says.
    virtual void setFontStrikeout(bool value) = 0;
    /// Text colour: entry @p index of the colour table (\\cf).
    virtual void setForegroundColour(int index) = 0;
    /// Highlight (text background) colour: entry @p index of the colour
    /// table (\\highlight).
    virtual void setHighlightColour(int index) = 0;
    /// Paragraph background colour: entry @p index of the colour table
    /// (\\cbpat).
    virtual void setParagraphPatternBackgroundColour(int index) = 0;
    /// The font of the following text: number @p index of the font table (\\f).
    virtual void setFont(int index) = 0;
    /// The document's default font: number @p index of the font table
    /// (\\deff), used where no \\f is given.
    virtual void setDefaultFont(int index) = 0;
    /// The following text runs left to right (\\ltrch).
    virtual void setTextDirectionLeftToRight() = 0;
    /// The following text runs right to left (\\rtlch).
    virtual void setTextDirectionRightToLeft() = 0;
    /// Returns the character format to its defaults (\\plain).
    virtual void resetCharacterProperties() = 0;

    /// A picture: its bytes, and an image format carrying the resource name
    /// and the display size chosen for it.
    ///
    /// Called when a {\\pict ...} group ends. @p data holds the decoded bytes
    /// of a PNG (\\pngblip), JPEG (\\jpegblip) or device-independent bitmap
    /// (\\dibitmap); @p format names the picture with a URL unique in the
    /// process and gives its width and height in pixels.
    virtual void createImage(const QByteArray &data, const QTextImageFormat &format) = 0;

    /// Height of the page in @p twips (\\paperh).
    virtual void setPageHeight(int twips) = 0;
    /// Width of the page in @p twips (\\paperw).
    virtual void setPageWidth(int twips) = 0;
    /// Space before the paragraph in @p twips (\\sb).
    virtual void setSpaceBefore(int twips) = 0;
    /// Space after the paragraph in @p twips (\\sa).
    virtual void setSpaceAfter(int twips) = 0;

    /// One entry of the colour table, in table order; an entry that gives no
    /// colour (the "automatic" colour) arrives as an invalid QColor.
    ///
    /// The entries come from {\\colortbl ...}; the first call gives @p colour
    /// for index 0, the next for index 1 and so on.
    virtual void appendToColourTable(const QColor &colour) = 0;
    /// One font of the font table, {\\fonttbl ...}: @p entry describes the
    /// font that \\f @p index selects. A number may come more than once; the
    /// later entry wins.
    virtual void insertFontTableEntry(FontTableEntry entry, unsigned int index) = 0;
    /// One style of the style sheet, {\\stylesheet ...}: @p entry describes the
    /// style that \\s @p index names.
    virtual void insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry) = 0;

    /// Called for every '{' inside the document group, before the group's
    /// first token. The default does nothing.
    ///
    /// RTF scopes character formatting by groups: an output that keeps
    /// formatting state saves it here and restores it in endGroup().
    virtual void startGroup();
    /// Called for every '}' inside the document group, after the group's
    /// tokens. The default does nothing.
    virtual void endGroup();

    /// The reader calls beginParse() once at the start of every
    /// Reader::parseTo() that has an input and an output, before the header
    /// is read, and endParse() once before parseTo() returns, also when the
    /// header is rejected. Between the two, every other operation of this
    /// class comes from that one parse. An output may hold work back between
    /// them (TextDocumentRtfOutput gathers text there) and must finish it in
    /// endParse(). The defaults do nothing.
    virtual void beginParse();
    /// See beginParse().
    virtual void endParse();

    // Character and paragraph formats, continued

    /// The kinds of underline RTF names, one for each of its underline words.
    enum class UnderlineStyle : quint8 {
        None, ///< \\ulnone, or any underline word with the parameter 0
        Single, ///< \\ul
        Words, ///< \\ulw: words only, not the spaces between them
        Double, ///< \\uldb
        Thick, ///< \\ulth
        Dotted, ///< \\uld
        ThickDotted, ///< \\ulthd
        Dash, ///< \\uldash
        ThickDash, ///< \\ulthdash
        LongDash, ///< \\ulldash
        ThickLongDash, ///< \\ulthldash
        DashDot, ///< \\uldashd
        ThickDashDot, ///< \\ulthdashd
        DashDotDot, ///< \\uldashdd
        ThickDashDotDot, ///< \\ulthdashdd
        Wave, ///< \\ulwave
        HeavyWave, ///< \\ulhwave
        DoubleWave, ///< \\ululdbwave
        Hairline, ///< \\ulhair: a hairline, thinner than \\ul
    };

    /// How a tab stop aligns the text that follows the tab.
    enum class TabAlignment : quint8 {
        Left, ///< the default: text starts at the stop
        Centre, ///< \\tqc: text is centred on the stop
        Right, ///< \\tqr: text ends at the stop
        Decimal, ///< \\tqdec: the decimal point stands at the stop
    };

    /// What fills the space before a tab stop.
    enum class TabLeader : quint8 {
        None, ///< the default: blank
        Dots, ///< \\tldot
        MiddleDots, ///< \\tlmdot
        Hyphens, ///< \\tlhyph
        Underline, ///< \\tlul
        ThickLine, ///< \\tlth
        Equals, ///< \\tleq
    };

    /**
     * A kind of underline for the text that follows: \\ul and its variants
     * such as \\uldb, \\ulwave or \\ulthdash (\\ul itself and \\ulnone still
     * arrive as setFontUnderline()).
     *
     * The default calls setFontUnderline() with 1, or 0 for
     * UnderlineStyle::None, so an output that knows only one underline shows
     * every kind as that one.
     */
    virtual void setFontUnderlineStyle(UnderlineStyle style);
    /// \\ulcN: the underline of the text that follows has colour @p index
    /// of the colour table; an index outside the table, or the table's
    /// automatic colour, gives the underline the colour of the text. The
    /// default does nothing.
    virtual void setUnderlineColour(int index);
    /// \\caps (@p on true) and \\caps0: the text that follows is shown in
    /// capitals, whatever case it is written in. The default does nothing.
    virtual void setFontAllCapitals(bool on);
    /// \\scaps (@p on true) and \\scaps0: the text that follows is shown in
    /// small capitals. The default does nothing.
    virtual void setFontSmallCapitals(bool on);
    /// \\upN and \\dnN: the text that follows is raised by @p halfPoints
    /// half-points above the baseline (\\up), or lowered below it when
    /// @p halfPoints is negative (\\dn); 0 puts it back on the baseline.
    /// The size of the text does not change. The default does nothing.
    virtual void setFontBaselineShift(int halfPoints);
    /// \\nosupersub: ends \\super and \\sub, the text that follows is
    /// neither superscript nor subscript. The default does nothing.
    virtual void setFontNormalScript();
    /// \\v (@p on true) and \\v0: the text that follows is hidden text,
    /// which is not shown. The default does nothing, so hidden text reaches
    /// the output like any other.
    virtual void setFontHidden(bool on);

    /**
     * \\slN with \\slmultN: the spacing of the lines of the paragraph.
     *
     * @param twips the N of \\sl. 0 means single spacing (the line is as tall
     *        as its tallest character). A negative value is an exact line
     *        height of -@p twips; a positive one is a least line height, or,
     *        when @p multiple is true, a multiple of single spacing given in
     *        240ths (360 is one and a half lines).
     * @param multiple true after \\slmult1 in the same paragraph
     *
     * Called for \\sl and again for \\slmult; the last call holds.
     * resetParagraphFormat() (\\pard) brings back single spacing without a
     * call of its own. The default does nothing.
     */
    virtual void setLineSpacing(int twips, bool multiple);
    /**
     * \\txN: a tab stop of the paragraph, @p twips from the left margin, with
     * the alignment and leader of the words that came before it (\\tqr,
     * \\tqc, \\tqdec; \\tldot, \\tlhyph...). Stops add up until
     * resetParagraphFormat() (\\pard), which removes them all. The default
     * does nothing.
     */
    virtual void addTabStop(int twips, TabAlignment alignment, TabLeader leader);
    /// \\keep (@p on true): the lines of the paragraph stay on one page.
    /// Ends with resetParagraphFormat() (\\pard). The default does nothing.
    virtual void setKeepTogether(bool on);
    /// \\keepn (@p on true): the paragraph stays on the page of the one
    /// after it. Ends with resetParagraphFormat() (\\pard). The default does
    /// nothing.
    virtual void setKeepWithNext(bool on);
    /// \\pagebb (@p on true): the paragraph starts a new page. Ends with
    /// resetParagraphFormat() (\\pard). The default does nothing.
    virtual void setPageBreakBefore(bool on);
    /// \\page: the text that follows starts on a new page. The default calls
    /// insertPar(), so an output without pages shows a new paragraph.
    virtual void insertPageBreak();
    /// \\ltrpar: the paragraph runs left to right (the default). The default
    /// does nothing.
    virtual void setParagraphDirectionLeftToRight();
    /// \\rtlpar: the paragraph runs right to left; its lines start at the
    /// right margin. Ends with resetParagraphFormat() (\\pard). The default
    /// does nothing.
    virtual void setParagraphDirectionRightToLeft();
    /// \\sN: the paragraph has the paragraph style numbered @p index in the
    /// style sheet (see insertStyleSheetTableEntry()); resetParagraphFormat()
    /// (\\pard) brings back style 0 without a call of its own. The default
    /// does nothing.
    virtual void setParagraphStyle(int index);
    // Lists

    /// A list of the list table ({\\*\\listtable {\\list ... \\listidN}}):
    /// @p listId is its \\listid, @p levels its levels in order (index 0 is
    /// the level of \\ilvl0; a list has one level, or nine). Lists come before
    /// the list override table and the body. The default does nothing.
    virtual void defineList(int listId, const QList<ListLevel> &levels);
    /// An entry of the list override table ({\\*\\listoverridetable
    /// {\\listoverride \\listidN ... \\lsM}}): paragraphs that say \\ls
    /// @p overrideNumber are items of list @p listId. @p startAt holds, by
    /// level, the start numbers that replace the list's own
    /// ({\\lfolevel \\listoverridestartat \\levelstartatN}). The default does
    /// nothing.
    virtual void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt);
    /// \\lsN: the paragraph is an item of the list named by list override
    /// @p overrideNumber, at the level given by setParagraphListLevel() (0
    /// until then). Like the other paragraph properties it holds for the
    /// following paragraphs until resetParagraphFormat() (\\pard) ends it.
    /// The default does nothing.
    virtual void setParagraphListOverride(int overrideNumber);
    /// \\ilvlN: the level (0 to 8) of the paragraph in its list. The default
    /// does nothing.
    virtual void setParagraphListLevel(int level);
    /// Word 6 numbering ({\\*\\pn ...} in the paragraph): the paragraph is an
    /// item of a list numbered as @p level says, at level @p levelIndex (0 for
    /// \\pnlvlbody and \\pnlvlblt, N-1 for \\pnlvlN). A list set with
    /// setParagraphListOverride() comes first when both are given; \\pard
    /// ends both. The default does nothing.
    virtual void setParagraphNumbering(const ListLevel &level, int levelIndex);
    /// The marker text a writer stores before a list item for readers that
    /// know no lists ({\\listtext 1.\\tab} or {\\pntext \\'b7\\tab}) starts:
    /// the words and text up to endListText() make the marker. An output that
    /// draws list markers itself drops them when the paragraph turns out to
    /// be a list item; the \\ls or \\pn that says so may come after the group.
    /// The default does nothing: the marker arrives as ordinary text.
    virtual void beginListText();
    /// See beginListText().
    virtual void endListText();
    // Tables and sections
    //
    // A table row arrives as: beginTableRowDefinition() (\trowd), then
    // setTableRowFormat() and appendTableCellDefinition() as the definition's
    // words arrive, then the paragraphs of the cells, each marked with
    // setParagraphTableLevel() (\intbl, \itapN) and each cell closed by
    // endTableCell(), and finally endTableRow(). Writers put the definition
    // before the cells, after them (just before \row), or both; an output
    // uses the last definition it was given when the row ends. A nested
    // table's cells and rows end with endTableCell(true) and
    // endTableRow(true), and its row definition is given inside the
    // {\*\nesttableprops ...} group that precedes \nestrow.
    // resetParagraphFormat() (\pard) puts the paragraph back outside every
    // table.

    /// The paragraph being read belongs to the table at nesting level
    /// @p level: 1 for \\intbl (a top-level table), N for \\itapN, 0 for
    /// \\itap0 (not in a table). The default does nothing.
    virtual void setParagraphTableLevel(int level);
    /// \\trowd: a new row definition starts; earlier cell definitions are
    /// dropped and the row properties return to their defaults. The default
    /// does nothing.
    virtual void beginTableRowDefinition();
    /// A row property of the definition changed (\\trgaph, \\trleft,
    /// \\trql/\\trqc/\\trqr, \\trhdr): @p format holds all row properties
    /// given since \\trowd. The default does nothing.
    virtual void setTableRowFormat(const TableRowFormat &format);
    /// \\cellxN: one more cell for the row definition, with the cell
    /// properties given since the previous \\cellx (or \\trowd). The default
    /// does nothing.
    virtual void appendTableCellDefinition(const TableCellDefinition &cell);
    /// \\cell (@p nested false) or \\nestcell (@p nested true): ends the
    /// paragraph and the cell it is in. The default calls insertTab(), so an
    /// output that knows no tables separates cells by a tab.
    virtual void endTableCell(bool nested);
    /// \\row (@p nested false) or \\nestrow (@p nested true): ends the table
    /// row. The default calls insertPar(), so an output that knows no tables
    /// puts each row on a line of its own.
    virtual void endTableRow(bool nested);
    /// \\sect: ends the paragraph and the section; the next section's
    /// properties follow (\\sectd, \\sbk...). The default calls insertPar().
    virtual void insertSectionBreak();
    /// \\sectd: the section properties return to their defaults (a section
    /// starts on a new page). The default does nothing.
    virtual void resetSectionFormat();
    /// \\sbknone, \\sbkcol, \\sbkpage, \\sbkeven, \\sbkodd: how the current
    /// section begins. The default does nothing.
    virtual void setSectionBreak(SectionBreak kind);
    // Code pages
    /**
     * The document's code page: \\ansicpgN gives N, \\mac 10000 (Mac Roman),
     * \\pc 437 and \\pca 850 (the IBM PC code pages). Text under a font that
     * names no code page of its own (no \\fcharset or \\cpg), text before any
     * font is chosen, and the names of fonts and styles are written in it.
     *
     * @param codePage a Windows code page number (1252, 1251, 932, ...)
     *
     * The default stores the number for documentCodePage(), which the reader
     * reads back to decode font and style names.
     */
    virtual void setDocumentCodePage(int codePage);
    /// The code page last given to setDocumentCodePage(), or 0 while the
    /// document has named none.
    int documentCodePage() const;
    /**
     * Whether @p byte is the first byte of a two-byte character in the code
     * page of the current font (Shift-JIS, GBK, Big5, windows-949 and
     * Johab have such lead bytes). In raw RTF text the byte after a lead
     * byte belongs to the character even when it is '{', '}' or '\'; the
     * reader asks only when a byte of 0x81 or above stands right before one
     * of those three.
     *
     * @param byte a byte of raw text, 0x81 or above
     * @return true when @p byte starts a two-byte character
     *
     * The default returns false: every byte is read on its own.
     */
    virtual bool isLeadByte(unsigned char byte) const;

    // Fields, notes, comments, headers and footers, text boxes

    /// The result of a field begins: the calls that follow, up to the
    /// matching endField(), are the field's result ({\\fldrslt ...} of
    /// {\\field{\*\\fldinst instruction}{\\fldrslt result}}). @p instruction is
    /// the field's instruction ({\*\\fldinst ...}) as text, RTF escapes
    /// decoded, surrounding white space removed: "PAGE",
    /// "HYPERLINK \"https://example.org\"". The instruction itself never
    /// reaches the output as text. Fields nest: a result may hold further
    /// fields. A field without a result gives beginField() directly followed by
    /// endField(). The default does nothing, so the result is ordinary text.
    virtual void beginField(const QString &instruction);
    /// The result of the field begun by the last unmatched beginField() ends.
    /// The default does nothing.
    virtual void endField();
    /// The result of a HYPERLINK field is a link: called just after
    /// beginField() for such a field, and answered by endLink() just before
    /// its endField(). @p href is the field's URL, or "#name" for a link to
    /// the bookmark the \\l switch names (a URL and a \\l switch give
    /// "url#name"); @p toolTip is the text of the \\o switch, or empty. The
    /// default does nothing: the result is ordinary text.
    virtual void beginLink(const QString &href, const QString &toolTip);
    /// The link begun by the last unmatched beginLink() ends. The default does
    /// nothing.
    virtual void endLink();
    /// {\*\\bkmkstart name}: the bookmark @p name starts at this point of the
    /// text; links to "#name" lead here. The default does nothing.
    virtual void setBookmarkStart(const QString &name);
    /// {\*\\bkmkend name}: the bookmark @p name ends at this point of the
    /// text. The default does nothing.
    virtual void setBookmarkEnd(const QString &name);

    /// The numbering of notes (\\ftnnar, \\ftnnalc, ... for footnotes,
    /// \\aftnnar, \\aftnnalc, ... for endnotes).
    enum class NoteNumbering : quint8 {
        Arabic, ///< 1, 2, 3 (\\ftnnar, \\aftnnar)
        LowerAlpha, ///< a, b, c (\\ftnnalc, \\aftnnalc)
        UpperAlpha, ///< A, B, C (\\ftnnauc, \\aftnnauc)
        LowerRoman, ///< i, ii, iii (\\ftnnrlc, \\aftnnrlc)
        UpperRoman, ///< I, II, III (\\ftnnruc, \\aftnnruc)
        Symbols, ///< *, U+2020, U+2021, U+00A7 (\\ftnnchi, \\aftnnchi)
    };
    /// The document numbers its footnotes (@p endnotes false) or endnotes
    /// (true) with @p numbering. Without this call Word numbers footnotes
    /// 1, 2, 3 and endnotes i, ii, iii. The default does nothing.
    virtual void setNoteNumbering(bool endnotes, NoteNumbering numbering);
    /// \\ftnstartN, \\aftnstartN: the first footnote (@p endnotes false) or
    /// endnote (true) has the number @p number. The default does nothing.
    virtual void setNoteStartNumber(bool endnotes, int number);
    /// \\chftn: the automatic number of a note. In the body it marks the place
    /// of the reference to the note whose group follows; inside a note it is
    /// the note's own number. The default does nothing.
    virtual void insertNoteReferenceMark();
    /// A footnote or endnote ({\\footnote ...}, an endnote when the group has
    /// \\ftnalt) begins, just after its reference in the body. Return true to
    /// receive the note's text through the ordinary operations, followed by
    /// endNote(); return false to drop it. The default returns false: the
    /// text of notes does not reach the output.
    virtual bool beginNote(bool endnote);
    /// The note accepted by the last beginNote() ends. The default does
    /// nothing.
    virtual void endNote();

    /// {\*\\atrfstart id}: the text commented by the comment @p id starts
    /// here. The default does nothing.
    virtual void setCommentRangeStart(const QString &id);
    /// {\*\\atrfend id}: the text commented by the comment @p id ends here.
    /// The default does nothing.
    virtual void setCommentRangeEnd(const QString &id);
    /// A comment ({\*\\annotation ...}) begins at this point of the body.
    /// @p id links it to its range ({\*\\atnref}; empty when the comment
    /// has none), @p author and @p initials come from the {\*\\atnauthor} and
    /// {\*\\atnid} groups before it, @p date from {\*\\atndate} (invalid
    /// when not given). Return true to receive the comment's text through the
    /// ordinary operations, followed by endComment(); return false to drop
    /// it. The default returns false: the text of comments does not reach the
    /// output.
    virtual bool beginComment(const QString &id, const QString &author, const QString &initials,
                              const QDateTime &date);
    /// The comment accepted by the last beginComment() ends. The default does
    /// nothing.
    virtual void endComment();

    /// The kinds of page headers and footers.
    enum class HeaderFooterKind : quint8 {
        Header, ///< {\\header}: every page
        HeaderLeft, ///< {\\headerl}: left-hand (even) pages, with \\facingp
        HeaderRight, ///< {\\headerr}: right-hand (odd) pages, with \\facingp
        HeaderFirst, ///< {\\headerf}: the first page, with \\titlepg
        Footer, ///< {\\footer}: every page
        FooterLeft, ///< {\\footerl}: left-hand (even) pages, with \\facingp
        FooterRight, ///< {\\footerr}: right-hand (odd) pages, with \\facingp
        FooterFirst, ///< {\\footerf}: the first page, with \\titlepg
    };
    /// \\titlepg: the first page has a header and footer of its own. The
    /// default does nothing.
    virtual void setTitlePage(bool on);
    /// \\facingp: left-hand and right-hand pages have headers and footers of
    /// their own. The default does nothing.
    virtual void setFacingPages(bool on);
    /// A header or footer of kind @p kind begins. Return true to receive its
    /// text through the ordinary operations, followed by endHeaderFooter();
    /// return false to drop it. The default returns false: headers and
    /// footers do not reach the output.
    virtual bool beginHeaderFooter(HeaderFooterKind kind);
    /// The header or footer accepted by the last beginHeaderFooter() ends.
    /// The default does nothing.
    virtual void endHeaderFooter();

    /// The text of a text box or shape ({\\shptxt ...} of a {\\shp}, or
    /// {\\dptxbxtext ...} of an old drawing object) begins at the shape's
    /// anchor; its paragraphs reach the output through the ordinary
    /// operations, up to endTextBox(). Text boxes may nest. The default does
    /// nothing, so the text is ordinary text.
    virtual void beginTextBox();
    /// The text box begun by the last unmatched beginTextBox() ends. The
    /// default does nothing.
    virtual void endTextBox();

private:
    Q_DISABLE_COPY(AbstractRtfOutput)
    std::unique_ptr<AbstractRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif

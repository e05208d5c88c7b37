#ifndef TAVISK_ABSTRACTRTFOUTPUT_H
#define TAVISK_ABSTRACTRTFOUTPUT_H

#include <tavisk/fonttableentry.h>
#include <tavisk/stylesheettableentry.h>
#include <tavisk/tavisk_export.h>

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTextImageFormat>
#include <QVariant>

#include <memory>

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
 */
class TAVISK_EXPORT AbstractRtfOutput
{
public:
    AbstractRtfOutput();
    virtual ~AbstractRtfOutput();

    /// The value stored for the user property @p name, or an invalid QVariant.
    QVariant userProp(const QString &name) const;
    /// Every stored user property name, in no defined order.
    QList<QString> userPropNames() const;
    /// Stores @p value under @p name, replacing an earlier value.
    void addUserProp(const QString &name, const QVariant &value);

    virtual QString author() const;
    virtual void setAuthor(const QString &author);
    virtual QString companyName() const;
    virtual void setCompanyName(const QString &companyName);
    virtual QString title() const;
    virtual void setTitle(const QString &title);
    virtual QString subject() const;
    virtual void setSubject(const QString &subject);
    virtual QString operatorName() const;
    virtual void setOperatorName(const QString &operatorName);
    virtual QString managerName() const;
    virtual void setManagerName(const QString &managerName);
    virtual QString comment() const;
    virtual void setComment(const QString &comment);
    virtual QString documentComment() const;
    virtual void setDocumentComment(const QString &documentComment);
    virtual QString keywords() const;
    virtual void setKeywords(const QString &keywords);
    virtual QString category() const;
    virtual void setCategory(const QString &category);
    virtual QString hLinkBase() const;
    virtual void setHLinkBase(const QString &hLinkBase);
    virtual QString generatorInformation() const;
    virtual void setGeneratorInformation(const QString &generatorInformation);
    virtual QDateTime created() const;
    virtual void setCreatedDateTime(const QDateTime &created);
    virtual QDateTime revised() const;
    virtual void setRevisedDateTime(const QDateTime &revised);
    virtual QDateTime printed() const;
    virtual void setPrintedDateTime(const QDateTime &printed);
    virtual int totalEditingTime() const;
    virtual void setTotalEditingTime(int totalEditingTime);
    virtual int numberOfPages() const;
    virtual void setNumberOfPages(int numberOfPages);
    virtual int numberOfWords() const;
    virtual void setNumberOfWords(int numberOfWords);
    virtual int numberOfCharacters() const;
    virtual void setNumberOfCharacters(int numberOfCharacters);
    virtual int numberOfCharactersWithoutSpaces() const;
    virtual void setNumberOfCharactersWithoutSpaces(int numberOfCharactersWithoutSpaces);
    virtual int versionNumber() const;
    virtual void setVersionNumber(int versionNumber);
    virtual int internalVersionNumber() const;
    virtual void setInternalVersionNumber(int internalVersionNumber);

    /// Decodes raw RTF text bytes in the output's current encoding.
    virtual QString convertText(const QByteArray &text) const = 0;

    /// A run of body text, still encoded in the current font's code page.
    virtual void appendText(const QByteArray &text) = 0;
    /// Decoded text: one \u character, a special character, or "\n" for \line.
    virtual void appendText(const QString &text) = 0;

    virtual void insertPar() = 0;
    virtual void insertTab() = 0;
    virtual void insertLeftQuote() = 0;
    virtual void insertRightQuote() = 0;
    virtual void insertLeftDoubleQuote() = 0;
    virtual void insertRightDoubleQuote() = 0;
    virtual void insertEnDash() = 0;
    virtual void insertEmDash() = 0;
    virtual void insertEnSpace() = 0;
    virtual void insertEmSpace() = 0;
    virtual void insertBullet() = 0;

    virtual void resetParagraphFormat() = 0;
    virtual void setParagraphAlignmentLeft() = 0;
    virtual void setParagraphAlignmentCentred() = 0;
    virtual void setParagraphAlignmentJustified() = 0;
    virtual void setParagraphAlignmentRight() = 0;
    virtual void setFirstLineIndent(int twips) = 0;
    virtual void setLeftIndent(int twips) = 0;
    virtual void setRightIndent(int twips) = 0;

    virtual void setFontItalic(int value) = 0;
    virtual void setFontBold(int value) = 0;
    virtual void setFontUnderline(int value) = 0;
    virtual void setFontPointSize(int points) = 0;
    virtual void setFontSuperscript() = 0;
    virtual void setFontSubscript() = 0;
    virtual void setFontStrikeout(bool value) = 0;
    virtual void setForegroundColour(int index) = 0;
    virtual void setHighlightColour(int index) = 0;
    virtual void setParagraphPatternBackgroundColour(int index) = 0;
    virtual void setFont(int index) = 0;
    virtual void setDefaultFont(int index) = 0;
    virtual void setTextDirectionLeftToRight() = 0;
    virtual void setTextDirectionRightToLeft() = 0;
    virtual void resetCharacterProperties() = 0;

    /// A picture: its bytes, and an image format carrying the resource name
    /// and the display size chosen for it.
    virtual void createImage(const QByteArray &data, const QTextImageFormat &format) = 0;

    virtual void setPageHeight(int twips) = 0;
    virtual void setPageWidth(int twips) = 0;
    virtual void setSpaceBefore(int twips) = 0;
    virtual void setSpaceAfter(int twips) = 0;

    /// One entry of the colour table, in table order; an entry that gives no
    /// colour (the "automatic" colour) arrives as an invalid QColor.
    virtual void appendToColourTable(const QColor &colour) = 0;
    virtual void insertFontTableEntry(FontTableEntry entry, unsigned int index) = 0;
    virtual void insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry) = 0;

    /// Called for every '{' inside the document group, before the group's
    /// first token. The default does nothing.
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

private:
    Q_DISABLE_COPY(AbstractRtfOutput)
    std::unique_ptr<AbstractRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif

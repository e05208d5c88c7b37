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

    // Fields, notes, comments, headers and footers, text boxes

    /// The result of a field begins: the calls that follow, up to the
    /// matching endField(), are the field's result ({\fldrslt ...} of
    /// {\field{\*\fldinst instruction}{\fldrslt result}}). @p instruction is
    /// the field's instruction ({\*\fldinst ...}) as text, RTF escapes
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
    /// the bookmark the \l switch names (a URL and a \l switch give
    /// "url#name"); @p toolTip is the text of the \o switch, or empty. The
    /// default does nothing: the result is ordinary text.
    virtual void beginLink(const QString &href, const QString &toolTip);
    /// The link begun by the last unmatched beginLink() ends. The default does
    /// nothing.
    virtual void endLink();
    /// {\*\bkmkstart name}: the bookmark @p name starts at this point of the
    /// text; links to "#name" lead here. The default does nothing.
    virtual void setBookmarkStart(const QString &name);
    /// {\*\bkmkend name}: the bookmark @p name ends at this point of the
    /// text. The default does nothing.
    virtual void setBookmarkEnd(const QString &name);

    /// The numbering of notes (\ftnnar, \ftnnalc, ... for footnotes,
    /// \aftnnar, \aftnnalc, ... for endnotes).
    enum class NoteNumbering : quint8 {
        Arabic, ///< 1, 2, 3 (\ftnnar, \aftnnar)
        LowerAlpha, ///< a, b, c (\ftnnalc, \aftnnalc)
        UpperAlpha, ///< A, B, C (\ftnnauc, \aftnnauc)
        LowerRoman, ///< i, ii, iii (\ftnnrlc, \aftnnrlc)
        UpperRoman, ///< I, II, III (\ftnnruc, \aftnnruc)
        Symbols, ///< *, U+2020, U+2021, U+00A7 (\ftnnchi, \aftnnchi)
    };
    /// The document numbers its footnotes (@p endnotes false) or endnotes
    /// (true) with @p numbering. Without this call Word numbers footnotes
    /// 1, 2, 3 and endnotes i, ii, iii. The default does nothing.
    virtual void setNoteNumbering(bool endnotes, NoteNumbering numbering);
    /// \ftnstartN, \aftnstartN: the first footnote (@p endnotes false) or
    /// endnote (true) has the number @p number. The default does nothing.
    virtual void setNoteStartNumber(bool endnotes, int number);
    /// \chftn: the automatic number of a note. In the body it marks the place
    /// of the reference to the note whose group follows; inside a note it is
    /// the note's own number. The default does nothing.
    virtual void insertNoteReferenceMark();
    /// A footnote or endnote ({\footnote ...}, an endnote when the group has
    /// \ftnalt) begins, just after its reference in the body. Return true to
    /// receive the note's text through the ordinary operations, followed by
    /// endNote(); return false to drop it. The default returns false: the
    /// text of notes does not reach the output.
    virtual bool beginNote(bool endnote);
    /// The note accepted by the last beginNote() ends. The default does
    /// nothing.
    virtual void endNote();

    /// {\*\atrfstart id}: the text commented by the comment @p id starts
    /// here. The default does nothing.
    virtual void setCommentRangeStart(const QString &id);
    /// {\*\atrfend id}: the text commented by the comment @p id ends here.
    /// The default does nothing.
    virtual void setCommentRangeEnd(const QString &id);
    /// A comment ({\*\annotation ...}) begins at this point of the body.
    /// @p id links it to its range ({\*\atnref}; empty when the comment
    /// has none), @p author and @p initials come from the {\*\atnauthor} and
    /// {\*\atnid} groups before it, @p date from {\*\atndate} (invalid
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
        Header, ///< {\header}: every page
        HeaderLeft, ///< {\headerl}: left-hand (even) pages, with \facingp
        HeaderRight, ///< {\headerr}: right-hand (odd) pages, with \facingp
        HeaderFirst, ///< {\headerf}: the first page, with \titlepg
        Footer, ///< {\footer}: every page
        FooterLeft, ///< {\footerl}: left-hand (even) pages, with \facingp
        FooterRight, ///< {\footerr}: right-hand (odd) pages, with \facingp
        FooterFirst, ///< {\footerf}: the first page, with \titlepg
    };
    /// \titlepg: the first page has a header and footer of its own. The
    /// default does nothing.
    virtual void setTitlePage(bool on);
    /// \facingp: left-hand and right-hand pages have headers and footers of
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

    /// The text of a text box or shape ({\shptxt ...} of a {\shp}, or
    /// {\dptxbxtext ...} of an old drawing object) begins at the shape's
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

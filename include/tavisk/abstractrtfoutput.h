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

    // Code pages
    /**
     * The document's code page: \ansicpgN gives N, \mac 10000 (Mac Roman),
     * \pc 437 and \pca 850 (the IBM PC code pages). Text under a font that
     * names no code page of its own (no \fcharset or \cpg), text before any
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

private:
    Q_DISABLE_COPY(AbstractRtfOutput)
    std::unique_ptr<AbstractRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif

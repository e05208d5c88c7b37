#ifndef TAVISK_RECORDINGOUTPUT_H
#define TAVISK_RECORDINGOUTPUT_H

// A test double: an output that records every call it receives, with its
// arguments, as one line of text each ("appendText(bytes:Hello)",
// "setFontBold(1)", "startGroup()"...). Tests compare the list of lines.

#include <tavisk/abstractrtfoutput.h>

#include <QStringList>

class RecordingOutput : public Tavisk::AbstractRtfOutput
{
public:
    QStringList calls;
    int startGroups = 0;
    int endGroups = 0;
    bool unbalancedEndGroup = false;

    // Decodes as Latin-1 so that every byte stays visible in the record.
    QString convertText(const QByteArray &text) const override { return QString::fromLatin1(text); }
    void appendText(const QByteArray &text) override
    {
        record(QStringLiteral("appendText(bytes:%1)").arg(QString::fromLatin1(text)));
    }
    void appendText(const QString &text) override
    {
        // Code units as U+XXXX, so invisible characters can be told apart.
        QStringList units;
        for (QChar c : text)
            units.append(QStringLiteral("U+%1").arg(QString::number(c.unicode(), 16).toUpper(), 4, QLatin1Char('0')));
        record(QStringLiteral("appendText(string:%1)").arg(units.join(QLatin1Char(' '))));
    }
    void insertPar() override { record(QStringLiteral("insertPar()")); }
    void insertTab() override { record(QStringLiteral("insertTab()")); }
    void insertLeftQuote() override { record(QStringLiteral("insertLeftQuote()")); }
    void insertRightQuote() override { record(QStringLiteral("insertRightQuote()")); }
    void insertLeftDoubleQuote() override { record(QStringLiteral("insertLeftDoubleQuote()")); }
    void insertRightDoubleQuote() override { record(QStringLiteral("insertRightDoubleQuote()")); }
    void insertEnDash() override { record(QStringLiteral("insertEnDash()")); }
    void insertEmDash() override { record(QStringLiteral("insertEmDash()")); }
    void insertEnSpace() override { record(QStringLiteral("insertEnSpace()")); }
    void insertEmSpace() override { record(QStringLiteral("insertEmSpace()")); }
    void insertBullet() override { record(QStringLiteral("insertBullet()")); }
    void resetParagraphFormat() override { record(QStringLiteral("resetParagraphFormat()")); }
    void setParagraphAlignmentLeft() override { record(QStringLiteral("setParagraphAlignmentLeft()")); }
    void setParagraphAlignmentCentred() override { record(QStringLiteral("setParagraphAlignmentCentred()")); }
    void setParagraphAlignmentJustified() override { record(QStringLiteral("setParagraphAlignmentJustified()")); }
    void setParagraphAlignmentRight() override { record(QStringLiteral("setParagraphAlignmentRight()")); }
    void setFirstLineIndent(int twips) override { record(QStringLiteral("setFirstLineIndent(%1)").arg(twips)); }
    void setLeftIndent(int twips) override { record(QStringLiteral("setLeftIndent(%1)").arg(twips)); }
    void setRightIndent(int twips) override { record(QStringLiteral("setRightIndent(%1)").arg(twips)); }
    void setFontItalic(int value) override { record(QStringLiteral("setFontItalic(%1)").arg(value)); }
    void setFontBold(int value) override { record(QStringLiteral("setFontBold(%1)").arg(value)); }
    void setFontUnderline(int value) override { record(QStringLiteral("setFontUnderline(%1)").arg(value)); }
    void setFontPointSize(int points) override { record(QStringLiteral("setFontPointSize(%1)").arg(points)); }
    void setFontSuperscript() override { record(QStringLiteral("setFontSuperscript()")); }
    void setFontSubscript() override { record(QStringLiteral("setFontSubscript()")); }
    void setFontStrikeout(bool value) override
    {
        record(QStringLiteral("setFontStrikeout(%1)").arg(value ? QStringLiteral("true") : QStringLiteral("false")));
    }
    void setForegroundColour(int index) override { record(QStringLiteral("setForegroundColour(%1)").arg(index)); }
    void setHighlightColour(int index) override { record(QStringLiteral("setHighlightColour(%1)").arg(index)); }
    void setParagraphPatternBackgroundColour(int index) override
    {
        record(QStringLiteral("setParagraphPatternBackgroundColour(%1)").arg(index));
    }
    void setFont(int index) override { record(QStringLiteral("setFont(%1)").arg(index)); }
    void setDefaultFont(int index) override { record(QStringLiteral("setDefaultFont(%1)").arg(index)); }
    void setTextDirectionLeftToRight() override { record(QStringLiteral("setTextDirectionLeftToRight()")); }
    void setTextDirectionRightToLeft() override { record(QStringLiteral("setTextDirectionRightToLeft()")); }
    void resetCharacterProperties() override { record(QStringLiteral("resetCharacterProperties()")); }
    void createImage(const QByteArray &data, const QTextImageFormat &format) override
    {
        images.append(data);
        imageFormats.append(format);
        record(QStringLiteral("createImage(%1,%2x%3,%4 bytes)")
                   .arg(format.name())
                   .arg(format.width())
                   .arg(format.height())
                   .arg(data.size()));
    }
    void setPageHeight(int twips) override { record(QStringLiteral("setPageHeight(%1)").arg(twips)); }
    void setPageWidth(int twips) override { record(QStringLiteral("setPageWidth(%1)").arg(twips)); }
    void setSpaceBefore(int twips) override { record(QStringLiteral("setSpaceBefore(%1)").arg(twips)); }
    void setSpaceAfter(int twips) override { record(QStringLiteral("setSpaceAfter(%1)").arg(twips)); }
    void appendToColourTable(const QColor &colour) override
    {
        colours.append(colour);
        record(QStringLiteral("appendToColourTable(%1)")
                   .arg(colour.isValid() ? colour.name() : QStringLiteral("invalid")));
    }
    void insertFontTableEntry(Tavisk::FontTableEntry entry, unsigned int index) override
    {
        fonts.append(qMakePair(index, entry));
        record(QStringLiteral("insertFontTableEntry(%1,%2,%3)").arg(index).arg(entry.fontName(), entry.encoding()));
    }
    void insertStyleSheetTableEntry(unsigned int index, Tavisk::StyleSheetTableEntry entry) override
    {
        styles.append(qMakePair(index, entry));
        record(QStringLiteral("insertStyleSheetTableEntry(%1,%2)").arg(index).arg(entry.styleName()));
    }
    void startGroup() override
    {
        ++startGroups;
        record(QStringLiteral("startGroup()"));
    }
    void endGroup() override
    {
        // An endGroup that answers no startGroup is a fault of the reader.
        if (endGroups == startGroups)
            unbalancedEndGroup = true;
        ++endGroups;
        record(QStringLiteral("endGroup()"));
    }

    // Tables and sections
    void setParagraphTableLevel(int level) override { record(QStringLiteral("setParagraphTableLevel(%1)").arg(level)); }
    void beginTableRowDefinition() override { record(QStringLiteral("beginTableRowDefinition()")); }
    void setTableRowFormat(const Tavisk::TableRowFormat &format) override
    {
        record(QStringLiteral("setTableRowFormat(gap=%1,left=%2,align=%3,header=%4)")
                   .arg(format.gapTwips)
                   .arg(format.leftTwips)
                   .arg(int(format.alignment))
                   .arg(int(format.header)));
    }
    void appendTableCellDefinition(const Tavisk::TableCellDefinition &cell) override
    {
        const auto border = [](const Tavisk::TableCellBorder &b) {
            return b.visible ? QStringLiteral("%1/%2").arg(b.widthTwips).arg(b.colourIndex) : QStringLiteral("-");
        };
        record(QStringLiteral("appendTableCellDefinition(x=%1,merge=%2,vmerge=%3,valign=%4,shading=%5,"
                              "borders=%6 %7 %8 %9)")
                   .arg(cell.rightEdgeTwips)
                   .arg(int(cell.horizontalMerge))
                   .arg(int(cell.verticalMerge))
                   .arg(int(cell.verticalAlignment))
                   .arg(cell.shadingColourIndex)
                   .arg(border(cell.topBorder), border(cell.leftBorder), border(cell.bottomBorder),
                        border(cell.rightBorder)));
    }
    void endTableCell(bool nested) override { record(QStringLiteral("endTableCell(%1)").arg(nested ? "nested" : "")); }
    void endTableRow(bool nested) override { record(QStringLiteral("endTableRow(%1)").arg(nested ? "nested" : "")); }
    void insertSectionBreak() override { record(QStringLiteral("insertSectionBreak()")); }
    void resetSectionFormat() override { record(QStringLiteral("resetSectionFormat()")); }
    void setSectionBreak(Tavisk::SectionBreak kind) override
    {
        record(QStringLiteral("setSectionBreak(%1)").arg(int(kind)));
    }

    // The parse hooks are kept apart from the calls, each with the number of
    // calls recorded before it: "beginParse@0", "endParse@3".
    void beginParse() override { hooks.append(QStringLiteral("beginParse@%1").arg(calls.size())); }
    void endParse() override { hooks.append(QStringLiteral("endParse@%1").arg(calls.size())); }

    // Character and paragraph formats, continued
    static QString onOff(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }
    void setFontUnderlineStyle(UnderlineStyle style) override
    {
        record(QStringLiteral("setFontUnderlineStyle(%1)").arg(int(style)));
    }
    void setUnderlineColour(int index) override { record(QStringLiteral("setUnderlineColour(%1)").arg(index)); }
    void setFontAllCapitals(bool on) override { record(QStringLiteral("setFontAllCapitals(%1)").arg(onOff(on))); }
    void setFontSmallCapitals(bool on) override { record(QStringLiteral("setFontSmallCapitals(%1)").arg(onOff(on))); }
    void setFontBaselineShift(int halfPoints) override
    {
        record(QStringLiteral("setFontBaselineShift(%1)").arg(halfPoints));
    }
    void setFontNormalScript() override { record(QStringLiteral("setFontNormalScript()")); }
    void setFontHidden(bool on) override { record(QStringLiteral("setFontHidden(%1)").arg(onOff(on))); }
    void setLineSpacing(int twips, bool multiple) override
    {
        record(QStringLiteral("setLineSpacing(%1,%2)").arg(twips).arg(onOff(multiple)));
    }
    void addTabStop(int twips, TabAlignment alignment, TabLeader leader) override
    {
        record(QStringLiteral("addTabStop(%1,%2,%3)").arg(twips).arg(int(alignment)).arg(int(leader)));
    }
    void setKeepTogether(bool on) override { record(QStringLiteral("setKeepTogether(%1)").arg(onOff(on))); }
    void setKeepWithNext(bool on) override { record(QStringLiteral("setKeepWithNext(%1)").arg(onOff(on))); }
    void setPageBreakBefore(bool on) override { record(QStringLiteral("setPageBreakBefore(%1)").arg(onOff(on))); }
    void insertPageBreak() override { record(QStringLiteral("insertPageBreak()")); }
    void setParagraphDirectionLeftToRight() override { record(QStringLiteral("setParagraphDirectionLeftToRight()")); }
    void setParagraphDirectionRightToLeft() override { record(QStringLiteral("setParagraphDirectionRightToLeft()")); }
    void setParagraphStyle(int index) override { record(QStringLiteral("setParagraphStyle(%1)").arg(index)); }
    // Lists: a level as "style start prefix|suffix bullet li fi", with the
    // style's number (0 decimal, 23 bullet, 255 none) and the bullet's code
    // units.
    static QString describeLevel(const Tavisk::ListLevel &level)
    {
        QStringList bullet;
        for (QChar c : level.bulletText())
            bullet.append(QStringLiteral("U+%1").arg(QString::number(c.unicode(), 16).toUpper(), 4, QLatin1Char('0')));
        return QStringLiteral("%1 %2 %3|%4 %5 %6 %7")
            .arg(int(level.numberStyle()))
            .arg(level.startAt())
            .arg(level.numberPrefix(), level.numberSuffix(), bullet.join(QLatin1Char(',')))
            .arg(level.leftIndent())
            .arg(level.firstLineIndent());
    }
    void defineList(int listId, const QList<Tavisk::ListLevel> &levels) override
    {
        QStringList described;
        for (const Tavisk::ListLevel &level : levels)
            described.append(describeLevel(level));
        record(QStringLiteral("defineList(%1,[%2])").arg(listId).arg(described.join(QStringLiteral("; "))));
    }
    void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt) override
    {
        QStringList starts;
        for (auto it = startAt.cbegin(); it != startAt.cend(); ++it)
            starts.append(QStringLiteral("%1:%2").arg(it.key()).arg(it.value()));
        record(QStringLiteral("defineListOverride(%1,%2,{%3})")
                   .arg(overrideNumber)
                   .arg(listId)
                   .arg(starts.join(QLatin1Char(','))));
    }
    void setParagraphListOverride(int overrideNumber) override
    {
        record(QStringLiteral("setParagraphListOverride(%1)").arg(overrideNumber));
    }
    void setParagraphListLevel(int level) override { record(QStringLiteral("setParagraphListLevel(%1)").arg(level)); }
    void setParagraphNumbering(const Tavisk::ListLevel &level, int levelIndex) override
    {
        record(QStringLiteral("setParagraphNumbering(%1,%2)").arg(describeLevel(level)).arg(levelIndex));
    }
    void beginListText() override { record(QStringLiteral("beginListText()")); }
    void endListText() override { record(QStringLiteral("endListText()")); }
    // Code pages
    void setDocumentCodePage(int codePage) override
    {
        Tavisk::AbstractRtfOutput::setDocumentCodePage(codePage);
        record(QStringLiteral("setDocumentCodePage(%1)").arg(codePage));
    }
    /// Bytes that isLeadByte() answers true for; empty: none.
    QByteArray leadBytes;
    bool isLeadByte(unsigned char byte) const override { return leadBytes.contains(char(byte)); }

    // Fields, notes, comments, headers and footers, text boxes. Notes,
    // comments, headers and footers are taken (their text is recorded
    // between the begin and end calls) unless acceptSubDocuments is false.
    void beginField(const QString &instruction) override { record(QStringLiteral("beginField(%1)").arg(instruction)); }
    void endField() override { record(QStringLiteral("endField()")); }
    void beginLink(const QString &href, const QString &toolTip) override
    {
        record(QStringLiteral("beginLink(%1,%2)").arg(href, toolTip));
    }
    void endLink() override { record(QStringLiteral("endLink()")); }
    void setBookmarkStart(const QString &name) override { record(QStringLiteral("setBookmarkStart(%1)").arg(name)); }
    void setBookmarkEnd(const QString &name) override { record(QStringLiteral("setBookmarkEnd(%1)").arg(name)); }
    void setNoteNumbering(bool endnotes, NoteNumbering numbering) override
    {
        record(QStringLiteral("setNoteNumbering(%1,%2)").arg(endnotes ? 1 : 0).arg(int(numbering)));
    }
    void setNoteStartNumber(bool endnotes, int number) override
    {
        record(QStringLiteral("setNoteStartNumber(%1,%2)").arg(endnotes ? 1 : 0).arg(number));
    }
    void insertNoteReferenceMark() override { record(QStringLiteral("insertNoteReferenceMark()")); }
    bool beginNote(bool endnote) override
    {
        record(QStringLiteral("beginNote(%1)").arg(endnote ? QStringLiteral("endnote") : QStringLiteral("footnote")));
        return acceptSubDocuments;
    }
    void endNote() override { record(QStringLiteral("endNote()")); }
    void setCommentRangeStart(const QString &id) override { record(QStringLiteral("setCommentRangeStart(%1)").arg(id)); }
    void setCommentRangeEnd(const QString &id) override { record(QStringLiteral("setCommentRangeEnd(%1)").arg(id)); }
    bool beginComment(const QString &id, const QString &author, const QString &initials, const QDateTime &date) override
    {
        record(QStringLiteral("beginComment(%1,%2,%3,%4)").arg(id, author, initials, date.toString(Qt::ISODate)));
        return acceptSubDocuments;
    }
    void endComment() override { record(QStringLiteral("endComment()")); }
    void setTitlePage(bool on) override { record(QStringLiteral("setTitlePage(%1)").arg(on ? 1 : 0)); }
    void setFacingPages(bool on) override { record(QStringLiteral("setFacingPages(%1)").arg(on ? 1 : 0)); }
    bool beginHeaderFooter(HeaderFooterKind kind) override
    {
        record(QStringLiteral("beginHeaderFooter(%1)").arg(int(kind)));
        return acceptSubDocuments;
    }
    void endHeaderFooter() override { record(QStringLiteral("endHeaderFooter()")); }
    void beginTextBox() override { record(QStringLiteral("beginTextBox()")); }
    void endTextBox() override { record(QStringLiteral("endTextBox()")); }
    bool acceptSubDocuments = true;

    QStringList hooks;
    QList<QByteArray> images;
    QList<QTextImageFormat> imageFormats;
    QList<QColor> colours;
    QList<QPair<unsigned int, Tavisk::FontTableEntry>> fonts;
    QList<QPair<unsigned int, Tavisk::StyleSheetTableEntry>> styles;

    /// Keeps at most this many lines, so hostile inputs do not fill memory
    /// with records; the counters above keep counting.
    qsizetype maxCalls = 1000000;

private:
    void record(const QString &call)
    {
        if (calls.size() < maxCalls)
            calls.append(call);
    }
};

#endif

// rtfdump: parses an RTF file and prints every call that reaches the output.
// A small example of an application-defined output.

#include <tavisk/abstractrtfoutput.h>
#include <tavisk/reader.h>

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace
{
class PrintingOutput : public Tavisk::AbstractRtfOutput
{
public:
    explicit PrintingOutput(QTextStream &out)
        : m_out(out)
    {
    }

    QString convertText(const QByteArray &text) const override { return QString::fromLatin1(text); }
    void appendText(const QByteArray &text) override { line(u"text", QString::fromLatin1(text)); }
    void appendText(const QString &text) override { line(u"unicode", text); }
    void insertPar() override { line(u"paragraph"); }
    void insertTab() override { line(u"tab"); }
    void insertLeftQuote() override { line(u"left quote"); }
    void insertRightQuote() override { line(u"right quote"); }
    void insertLeftDoubleQuote() override { line(u"left double quote"); }
    void insertRightDoubleQuote() override { line(u"right double quote"); }
    void insertEnDash() override { line(u"en dash"); }
    void insertEmDash() override { line(u"em dash"); }
    void insertEnSpace() override { line(u"en space"); }
    void insertEmSpace() override { line(u"em space"); }
    void insertBullet() override { line(u"bullet"); }
    void resetParagraphFormat() override { line(u"paragraph defaults"); }
    void setParagraphAlignmentLeft() override { line(u"align left"); }
    void setParagraphAlignmentCentred() override { line(u"align centre"); }
    void setParagraphAlignmentJustified() override { line(u"justify"); }
    void setParagraphAlignmentRight() override { line(u"align right"); }
    void setFirstLineIndent(int twips) override { line(u"first-line indent", twips); }
    void setLeftIndent(int twips) override { line(u"left indent", twips); }
    void setRightIndent(int twips) override { line(u"right indent", twips); }
    void setFontItalic(int value) override { line(u"italic", value); }
    void setFontBold(int value) override { line(u"bold", value); }
    void setFontUnderline(int value) override { line(u"underline", value); }
    void setFontPointSize(int points) override { line(u"point size", points); }
    void setFontSuperscript() override { line(u"superscript"); }
    void setFontSubscript() override { line(u"subscript"); }
    void setFontStrikeout(bool value) override { line(u"strike-out", value); }
    void setForegroundColour(int index) override { line(u"colour", index); }
    void setHighlightColour(int index) override { line(u"highlight", index); }
    void setParagraphPatternBackgroundColour(int index) override { line(u"paragraph background", index); }
    void setFont(int index) override { line(u"font", index); }
    void setDefaultFont(int index) override { line(u"default font", index); }
    void setTextDirectionLeftToRight() override { line(u"left to right"); }
    void setTextDirectionRightToLeft() override { line(u"right to left"); }
    void resetCharacterProperties() override { line(u"character defaults"); }
    void createImage(const QByteArray &data, const QTextImageFormat &format) override
    {
        line(u"picture", QStringLiteral("%1 (%2 bytes)").arg(format.name()).arg(data.size()));
    }
    void setPageHeight(int twips) override { line(u"page height", twips); }
    void setPageWidth(int twips) override { line(u"page width", twips); }
    void setSpaceBefore(int twips) override { line(u"space before", twips); }
    void setSpaceAfter(int twips) override { line(u"space after", twips); }
    void appendToColourTable(const QColor &colour) override
    {
        line(u"colour table entry", colour.isValid() ? colour.name() : QStringLiteral("automatic"));
    }
    void insertFontTableEntry(Tavisk::FontTableEntry entry, unsigned int index) override
    {
        line(u"font table entry", QStringLiteral("%1: %2").arg(index).arg(entry.fontName()));
    }
    void insertStyleSheetTableEntry(unsigned int index, Tavisk::StyleSheetTableEntry entry) override
    {
        line(u"style", QStringLiteral("%1: %2").arg(index).arg(entry.styleName()));
    }
    void startGroup() override { line(u"{"); }
    void endGroup() override { line(u"}"); }

private:
    void line(QStringView what) { m_out << what << Qt::endl; }
    void line(QStringView what, const QString &value) { m_out << what << ": " << value << Qt::endl; }
    void line(QStringView what, int value) { m_out << what << ": " << value << Qt::endl; }

    QTextStream &m_out;
};
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: rtfdump FILE.rtf\n");
        return 2;
    }

    Tavisk::Reader reader;
    if (!reader.open(args.at(1))) {
        std::fprintf(stderr, "rtfdump: cannot open %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QTextStream out(stdout);
    PrintingOutput output(out);
    if (!reader.parseTo(&output)) {
        std::fprintf(stderr, "rtfdump: %s is not an RTF file\n", qPrintable(args.at(1)));
        return 1;
    }
    if (!output.title().isNull())
        out << "title: " << output.title() << Qt::endl;
    if (!output.author().isNull())
        out << "author: " << output.author() << Qt::endl;
    return 0;
}

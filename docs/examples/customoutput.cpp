// An output of its own: counts the words of an RTF file and collects its
// plain text, without building a QTextDocument.
//
//   customoutput letter.rtf

#include <tavisk/abstractrtfoutput.h>
#include <tavisk/reader.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>

//! [output]
class PlainTextOutput : public Tavisk::AbstractRtfOutput
{
public:
    QString text;

    // Text: bytes in the current font's code page, or already decoded.
    // Latin-1 is close to the Windows-1252 of most Western documents; a real
    // output decodes with the font's encoding (insertFontTableEntry() gives
    // each font's, setFont() says which font is current).
    QString convertText(const QByteArray &bytes) const override { return QString::fromLatin1(bytes); }
    void appendText(const QByteArray &bytes) override { text += convertText(bytes); }
    void appendText(const QString &decoded) override { text += decoded; }
    void insertPar() override { text += u'\n'; }
    void insertTab() override { text += u'\t'; }
    void insertLeftQuote() override { text += u'\u2018'; }
    void insertRightQuote() override { text += u'\u2019'; }
    void insertLeftDoubleQuote() override { text += u'\u201c'; }
    void insertRightDoubleQuote() override { text += u'\u201d'; }
    void insertEnDash() override { text += u'\u2013'; }
    void insertEmDash() override { text += u'\u2014'; }
    void insertEnSpace() override { text += u'\u2002'; }
    void insertEmSpace() override { text += u'\u2003'; }
    void insertBullet() override { text += u'\u2022'; }

    // Formatting, pictures and tables: this output has no use for them.
    void resetParagraphFormat() override {}
    void setParagraphAlignmentLeft() override {}
    void setParagraphAlignmentCentred() override {}
    void setParagraphAlignmentJustified() override {}
    void setParagraphAlignmentRight() override {}
    void setFirstLineIndent(int) override {}
    void setLeftIndent(int) override {}
    void setRightIndent(int) override {}
    void setFontItalic(int) override {}
    void setFontBold(int) override {}
    void setFontUnderline(int) override {}
    void setFontPointSize(int) override {}
    void setFontSuperscript() override {}
    void setFontSubscript() override {}
    void setFontStrikeout(bool) override {}
    void setForegroundColour(int) override {}
    void setHighlightColour(int) override {}
    void setParagraphPatternBackgroundColour(int) override {}
    void setFont(int) override {}
    void setDefaultFont(int) override {}
    void setTextDirectionLeftToRight() override {}
    void setTextDirectionRightToLeft() override {}
    void resetCharacterProperties() override {}
    void createImage(const QByteArray &, const QTextImageFormat &) override {}
    void setPageHeight(int) override {}
    void setPageWidth(int) override {}
    void setSpaceBefore(int) override {}
    void setSpaceAfter(int) override {}
    void appendToColourTable(const QColor &) override {}
    void insertFontTableEntry(Tavisk::FontTableEntry, unsigned int) override {}
    void insertStyleSheetTableEntry(unsigned int, Tavisk::StyleSheetTableEntry) override {}
};
//! [output]

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;

    //! [parse]
    PlainTextOutput output;
    Tavisk::Reader reader;
    if (!reader.open(QString::fromLocal8Bit(argv[1])) || !reader.parseTo(&output))
        return 1;
    const auto words = output.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QTextStream(stdout) << words.size() << " words, by " << output.author() << '\n';
    //! [parse]
    return 0;
}

#include "fonttabledestination.h"

#include "common/codepage_p.h"
#include "common/controlchars_p.h"
#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
struct CharacterSet {
    int number;
    const char *encoding; // nullptr: no code page (symbol and OEM sets)
};

// \fcharset numbers and the code pages that text in such a font uses.
constexpr CharacterSet characterSets[] = {
    {0, "Windows-1252"},
    {1, "Windows-1252"},
    {2, nullptr},
    {3, nullptr},
    // The Mac character sets, read with the nearest decoder there is (see
    // CodePage::encodingForCodePage for the Mac code pages 10000-10081).
    {77, "Macintosh"},
    {78, "Shift-JIS"},
    {79, "CP949"},
    {80, "GB2312"},
    {81, "Big5"},
    {83, "Windows-1255"},
    {84, "ISO-8859-6"},
    {85, "x-mac-greek"},
    {86, "x-mac-turkish"},
    {87, "TIS-620"},
    {88, "x-mac-centraleurroman"},
    {89, "x-mac-cyrillic"},
    {128, "Shift-JIS"},
    {129, "CP949"},
    {130, nullptr},
    {134, "GB2312"},
    {136, "Big5"},
    {161, "Windows-1253"},
    {162, "Windows-1254"},
    {163, "Windows-1258"},
    {177, "Windows-1255"},
    {178, "Windows-1256"},
    {179, nullptr},
    {180, nullptr},
    {181, nullptr},
    {186, "Windows-1257"},
    {204, "Windows-1251"},
    // Thai: code page 874.
    {222, "Windows-874"},
    {238, "Windows-1250"},
    {254, "IBM437"},
};

enum class FontWord {
    Font,
    Nil,
    Roman,
    Swiss,
    Modern,
    Script,
    Decor,
    Tech,
    Bidi,
    Pitch,
    CharacterSet,
    CodePage,
};

struct FontWordEntry {
    std::string_view name;
    FontWord word;
};

// Sorted by name (byte order) for the binary search below.
constexpr FontWordEntry fontWords[] = {
    {"cpg", FontWord::CodePage},
    {"f", FontWord::Font},
    {"fbidi", FontWord::Bidi},
    {"fcharset", FontWord::CharacterSet},
    {"fdecor", FontWord::Decor},
    {"fmodern", FontWord::Modern},
    {"fnil", FontWord::Nil},
    {"fprq", FontWord::Pitch},
    {"froman", FontWord::Roman},
    {"fscript", FontWord::Script},
    {"fswiss", FontWord::Swiss},
    {"ftech", FontWord::Tech},
};

static_assert(isSortedByName(fontWords), "fontWords must stay sorted by name");
} // namespace

FontTableDestination::FontTableDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void FontTableDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    const FontWordEntry *entry = findWord(fontWords, controlWord);
    if (!entry) {
        qCDebug(lcRtf) << "unhandled fonttbl control word:" << controlWord << "(" << parameter << ")";
        return;
    }
    switch (entry->word) {
    case FontWord::Font:
        // A new font starts: name text of a font that never reached its ';'
        // does not belong to it.
        m_currentFontTableIndex = parameter;
        m_fontNameBytes.clear();
        m_codePageGiven = false;
        break;
    case FontWord::Nil:
        m_fontTableEntry.setFontFamily(FontFamily::Nil);
        break;
    case FontWord::Roman:
        m_fontTableEntry.setFontFamily(FontFamily::Roman);
        break;
    case FontWord::Swiss:
        m_fontTableEntry.setFontFamily(FontFamily::Swiss);
        break;
    case FontWord::Modern:
        m_fontTableEntry.setFontFamily(FontFamily::Modern);
        break;
    case FontWord::Script:
        m_fontTableEntry.setFontFamily(FontFamily::Script);
        break;
    case FontWord::Decor:
        m_fontTableEntry.setFontFamily(FontFamily::Decor);
        break;
    case FontWord::Tech:
        m_fontTableEntry.setFontFamily(FontFamily::Tech);
        break;
    case FontWord::Bidi:
        m_fontTableEntry.setFontFamily(FontFamily::Bidi);
        break;
    case FontWord::Pitch:
        // Stored unchecked; the entry keeps the low 8 bits.
        m_fontTableEntry.setFontPitch(FontPitch(quint8(parameter)));
        break;
    case FontWord::CharacterSet: {
        const auto it = std::find_if(std::begin(characterSets), std::end(characterSets),
                                     [parameter](const CharacterSet &set) { return set.number == parameter; });
        // An unknown character set leaves the encoding as it was, and so
        // does one given beside \cpg.
        if (it != std::end(characterSets) && !m_codePageGiven)
            m_fontTableEntry.setEncoding(it->encoding ? QString::fromLatin1(it->encoding) : QString());
        break;
    }
    case FontWord::CodePage: {
        // A code page Qt cannot decode leaves the encoding as it was.
        const QString encoding = CodePage::encodingForCodePage(parameter);
        if (!encoding.isNull()) {
            m_fontTableEntry.setEncoding(encoding);
            m_codePageGiven = true;
        }
        break;
    }
    }
}

void FontTableDestination::handlePlainText(const QByteArray &plainText)
{
    const qsizetype firstDelimiter = plainText.indexOf(';');
    if (firstDelimiter >= 0 && plainText.endsWith(';') && firstDelimiter != plainText.size() - 1) {
        // "A;B;": two terminators in one run cannot both end this font.
        qCDebug(lcRtf) << "Font name with embedded delimiter: " << plainText;
        return;
    }
    if (plainText.endsWith(';')) {
        m_fontNameBytes.append(plainText.constData(), plainText.size() - 1);
        handOverEntry();
        return;
    }
    // Part of the name; a ';' inside it ("A;B") is kept as written. The
    // bytes are decoded once, when the font is complete: a multi-byte name
    // written as \'hh escapes only makes sense as a whole.
    m_fontNameBytes.append(plainText);
}

void FontTableDestination::aboutToEndDestination()
{
}

void FontTableDestination::handOverEntry()
{
    // A font without name text keeps the name of the font before it.
    if (!m_fontNameBytes.isEmpty()) {
        // A font without a code page of its own is named in the document's.
        const QString encoding = m_fontTableEntry.encoding().isEmpty()
            ? CodePage::encodingForCodePage(m_output->documentCodePage())
            : m_fontTableEntry.encoding();
        m_fontTableEntry.setFontName(withoutControlCharacters(CodePage::decode(m_fontNameBytes, encoding)));
    }
    m_fontNameBytes.clear();
    m_output->insertFontTableEntry(m_fontTableEntry, static_cast<unsigned int>(m_currentFontTableIndex));
}

} // namespace Tavisk

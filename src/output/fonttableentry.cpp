#include <tavisk/fonttableentry.h>

#include <QSharedData>

namespace Tavisk
{

class FontTableEntryPrivate : public QSharedData
{
public:
    FontFamily m_fontFamily = FontFamily::Nil;
    FontPitch m_fontPitch = FontPitch::Default;
    QString m_fontName;
    QString m_encoding;
};

FontTableEntry::FontTableEntry()
    : d(new FontTableEntryPrivate)
{
}

FontTableEntry::FontTableEntry(const FontTableEntry &other) = default;
FontTableEntry &FontTableEntry::operator=(const FontTableEntry &other) = default;
FontTableEntry::~FontTableEntry() = default;

FontFamily FontTableEntry::fontFamily() const
{
    return d->m_fontFamily;
}

void FontTableEntry::setFontFamily(FontFamily fontFamily)
{
    d->m_fontFamily = fontFamily;
}

FontPitch FontTableEntry::fontPitch() const
{
    return d->m_fontPitch;
}

void FontTableEntry::setFontPitch(FontPitch fontPitch)
{
    d->m_fontPitch = fontPitch;
}

QString FontTableEntry::fontName() const
{
    return d->m_fontName;
}

void FontTableEntry::setFontName(const QString &fontName)
{
    d->m_fontName = fontName;
}

QString FontTableEntry::encoding() const
{
    return d->m_encoding;
}

void FontTableEntry::setEncoding(const QString &encoding)
{
    d->m_encoding = encoding;
}

} // namespace Tavisk

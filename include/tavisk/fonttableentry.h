#ifndef TAVISK_FONTTABLEENTRY_H
#define TAVISK_FONTTABLEENTRY_H

#include <tavisk/tavisk_export.h>

#include <QSharedDataPointer>
#include <QString>

namespace Tavisk
{

/// Family keyword of a font in the RTF font table; the values follow the
/// order of the keywords \fnil, \froman, \fswiss, \fmodern, \fscript,
/// \fdecor, \ftech and \fbidi.
enum class FontFamily : quint8 {
    Nil = 0,
    Roman = 1,
    Swiss = 2,
    Modern = 3,
    Script = 4,
    Decor = 5,
    Tech = 6,
    Bidi = 7,
};

/// The number given by \fprq. The font table stores whatever number the file
/// writes, so an entry can hold a value outside this list.
enum class FontPitch : quint8 {
    Default = 0,
    Fixed = 1,
    Variable = 2,
};

class FontTableEntryPrivate;

/**
 * One font of the RTF font table (\fonttbl), as handed to
 * AbstractRtfOutput::insertFontTableEntry().
 *
 * An implicitly shared value: copies share their data until one of them is
 * changed, so an output may keep the entries it is given.
 */
class TAVISK_EXPORT FontTableEntry
{
public:
    FontTableEntry();
    FontTableEntry(const FontTableEntry &other);
    FontTableEntry &operator=(const FontTableEntry &other);
    virtual ~FontTableEntry();

    FontFamily fontFamily() const;
    void setFontFamily(FontFamily fontFamily);

    FontPitch fontPitch() const;
    void setFontPitch(FontPitch fontPitch);

    /// The font's name as written in the table, without the terminating ';'.
    QString fontName() const;
    void setFontName(const QString &fontName);

    /// Name of the text codec for the font's character set (\fcharset);
    /// null or empty when none is known.
    QString encoding() const;
    void setEncoding(const QString &encoding);

private:
    QSharedDataPointer<FontTableEntryPrivate> d;
};

} // namespace Tavisk

Q_DECLARE_TYPEINFO(Tavisk::FontTableEntry, Q_RELOCATABLE_TYPE);

#endif

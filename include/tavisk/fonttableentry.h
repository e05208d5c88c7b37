#ifndef TAVISK_FONTTABLEENTRY_H
#define TAVISK_FONTTABLEENTRY_H

#include <tavisk/tavisk_export.h>

#include <QSharedDataPointer>
#include <QString>

namespace Tavisk
{

/// Family keyword of a font in the RTF font table; the values follow the
/// order of the keywords \\fnil, \\froman, \\fswiss, \\fmodern, \\fscript,
/// \\fdecor, \\ftech and \\fbidi.
enum class FontFamily : quint8 {
    Nil = 0,    ///< \\fnil: unknown or default family.
    Roman = 1,  ///< \\froman: proportional serif (Times New Roman).
    Swiss = 2,  ///< \\fswiss: proportional sans serif (Arial).
    Modern = 3, ///< \\fmodern: fixed pitch (Courier New).
    Script = 4, ///< \\fscript: script (Cursive).
    Decor = 5,  ///< \\fdecor: decorative (Old English).
    Tech = 6,   ///< \\ftech: technical, symbol and mathematical (Symbol).
    Bidi = 7,   ///< \\fbidi: Arabic, Hebrew and other bidirectional fonts.
};

/// The number given by \\fprq. The font table stores whatever number the file
/// writes, so an entry can hold a value outside this list.
enum class FontPitch : quint8 {
    Default = 0,  ///< \\fprq0, or no \\fprq: the default pitch.
    Fixed = 1,    ///< \\fprq1: fixed pitch.
    Variable = 2, ///< \\fprq2: variable pitch.
};

class FontTableEntryPrivate;

/**
 * One font of the RTF font table (\\fonttbl), as handed to
 * AbstractRtfOutput::insertFontTableEntry().
 *
 * An implicitly shared value: copies share their data until one of them is
 * changed, so an output may keep the entries it is given.
 *
 * A new entry has family FontFamily::Nil, pitch FontPitch::Default and null
 * name and encoding.
 *
 * @par Thread-safety
 * Reentrant, like Qt's implicitly shared values: copies may be used on
 * different threads at once.
 */
class TAVISK_EXPORT FontTableEntry
{
public:
    /// An entry of family Nil, default pitch, with no name and no encoding.
    FontTableEntry();
    /// A copy of @p other, sharing its data until either is changed.
    FontTableEntry(const FontTableEntry &other);
    /// Makes this entry a copy of @p other; returns this entry.
    FontTableEntry &operator=(const FontTableEntry &other);
    /// Releases this entry's share of the data.
    virtual ~FontTableEntry();

    /// The font's family keyword (\\fnil, \\froman, ...).
    FontFamily fontFamily() const;
    /// Sets the family keyword to @p fontFamily.
    void setFontFamily(FontFamily fontFamily);

    /// The font's pitch (\\fprq).
    FontPitch fontPitch() const;
    /// Sets the pitch to @p fontPitch.
    void setFontPitch(FontPitch fontPitch);

    /// The font's name as written in the table, without the terminating ';'.
    QString fontName() const;
    /// Sets the name to @p fontName.
    void setFontName(const QString &fontName);

    /// Name of the text codec for the font's character set (\\fcharset);
    /// null or empty when none is known.
    QString encoding() const;
    /// Sets the codec name to @p encoding (for example "Windows-1251").
    void setEncoding(const QString &encoding);

private:
    QSharedDataPointer<FontTableEntryPrivate> d;
};

} // namespace Tavisk

Q_DECLARE_TYPEINFO(Tavisk::FontTableEntry, Q_RELOCATABLE_TYPE);

#endif

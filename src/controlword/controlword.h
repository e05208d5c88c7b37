#ifndef TAVISK_CONTROLWORD_H
#define TAVISK_CONTROLWORD_H

#include <QString>

namespace Tavisk
{

/// The kind of a word of the RTF vocabulary.
enum class ControlWordType : quint8 {
    Symbol = 0, ///< a special character or mark, without parameter (\par, \tab, \~)
    Flag = 1, ///< switches a property on (\qc, \pard, \ansi)
    Value = 2, ///< carries a numeric parameter (\fs, \f, \cf, \u)
    Toggle = 3, ///< on, or off with parameter 0 (\b, \i, \ul)
    Destination = 4, ///< opens a destination (\fonttbl, \info, \pict, \rtf)
};

/**
 * Classifies the name of a control word (without backslash and parameter)
 * against the RTF 1.9.1 vocabulary and the destinations the reader supports.
 * Lookups are whole-word and case-sensitive.
 */
class ControlWord
{
public:
    explicit ControlWord(const QString &name);

    /// Whether the word is in the vocabulary.
    bool isKnown() const;
    /// Whether the word is a destination word of the vocabulary.
    static bool isDestination(const QString &name);
    /// Whether the reader opens a destination of its own for this word.
    bool isSupportedDestination() const;

private:
    QString m_name;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_TOKEN_H
#define TAVISK_TOKEN_H

#include <QByteArray>
#include <QString>

namespace Tavisk
{

enum TokenType : quint8 {
    OpenGroup = 0, ///< a '{'
    CloseGroup = 1, ///< a '}'
    Control = 2, ///< a control word, or a control symbol that is not turned into text
    Plain = 3, ///< a run of text bytes, or the one byte of \'hh, \\, \{ or \}
    Binary = 4, ///< the raw data bytes after a \binN word (N of them, fewer at the end of the input)
    EndOfFile = 5, ///< no byte is left to read
};

/// The lexical unit of RTF. Names and text stay undecoded bytes.
class Token
{
public:
    TokenType type = EndOfFile;
    /// Control: the letters of the word or the byte of the symbol. Plain: the
    /// text. Binary: the data.
    QByteArray name;
    /// True once a digit or '-' has been read after the first letter of a word.
    bool hasParameter = false;
    /// The word's optional '-' and its digits, in reading order; converted by
    /// the parser.
    QString parameter;

    /// Writes the token to the debug log.
    void dump() const;
};

} // namespace Tavisk

#endif

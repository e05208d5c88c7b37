#ifndef TAVISK_TOKENIZER_H
#define TAVISK_TOKENIZER_H

#include "token.h"

#include <QList>

class QIODevice;

namespace Tavisk
{

/**
 * Splits the bytes of an RTF file into tokens.
 *
 * Reads one byte at a time from an open device and gives back at most one
 * byte of look-ahead; it knows nothing of the vocabulary and decodes nothing.
 */
class Tokenizer
{
public:
    explicit Tokenizer(QIODevice *inputDevice);

    Token fetchToken();

    void pullControl(Token &token);
    void pullControlWord(Token &token);
    void pullControlSymbol(Token &token);
    void pullPlainText(Token &token);

private:
    // The work of pullControlWord and pullPlainText, for a word or run whose
    // first byte has been read but not yet stored in the token.
    void readControlWord(Token &token, const char *first, qsizetype firstLength);
    void readPlainText(Token &token, const char *first, qsizetype firstLength);

    QByteArray sharedName(const char *name, qsizetype length);
    QString sharedParameter(const char *digits, qsizetype length);

    QIODevice *m_inputDevice;
    /// A document uses a few hundred distinct words and parameters over and
    /// over; tokens share one copy of each instead of allocating their own.
    /// Open addressing with a hash computed inline: a lookup costs about as
    /// much as comparing the bytes. The cache stops growing at a fixed
    /// size, so a file of endless distinct words costs no more than
    /// allocating every name would.
    template<typename Value>
    class SharedCopies
    {
    public:
        /// The shared copy for @p bytes, made by @p make on the first request.
        template<typename Make>
        Value get(const char *bytes, qsizetype length, Make make);

    private:
        struct Slot {
            QByteArray key;
            Value value;
        };
        QList<Slot> m_slots;
        qsizetype m_count = 0;
    };

    SharedCopies<QByteArray> m_names;
    SharedCopies<QString> m_parameters;
};

} // namespace Tavisk

#endif

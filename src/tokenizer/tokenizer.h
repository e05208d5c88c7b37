#ifndef TAVISK_TOKENIZER_H
#define TAVISK_TOKENIZER_H

#include "token.h"

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
    QIODevice *m_inputDevice;
};

} // namespace Tavisk

#endif

#include "tokenizer.h"

#include "reader/logging_p.h"

#include <QIODevice>

namespace Tavisk
{

namespace
{
// Plain ASCII classification: bytes of 128 and above are never letters or
// hex digits, whatever the locale.
inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}
} // namespace

Tokenizer::Tokenizer(QIODevice *inputDevice)
    : m_inputDevice(inputDevice)
{
}

Token Tokenizer::fetchToken()
{
    Token token;
    char c;
    do {
        if (!m_inputDevice->getChar(&c))
            return token;
    } while (isLineBreak(c));

    switch (c) {
    case '{':
        token.type = OpenGroup;
        break;
    case '}':
        token.type = CloseGroup;
        break;
    case '\\':
        token.type = Control;
        pullControl(token);
        break;
    default:
        token.type = Plain;
        token.name.append(c);
        pullPlainText(token);
        break;
    }
    return token;
}

void Tokenizer::pullPlainText(Token &token)
{
    char c;
    while (m_inputDevice->getChar(&c)) {
        if (isLineBreak(c))
            continue;
        if (c == '\\' || c == '{' || c == '}') {
            m_inputDevice->ungetChar(c);
            return;
        }
        token.name.append(c);
    }
}

void Tokenizer::pullControl(Token &token)
{
    char c;
    // A backslash as the very last byte: the token keeps an empty name, and
    // the next fetch reports the end of the input.
    if (!m_inputDevice->getChar(&c))
        return;
    token.name.append(c);
    if (isLetter(c))
        pullControlWord(token);
    else
        pullControlSymbol(token);
}

void Tokenizer::pullControlWord(Token &token)
{
    char c;
    while (m_inputDevice->getChar(&c)) {
        if (c == ' ' || isLineBreak(c))
            return; // the delimiter belongs to the word
        if (static_cast<unsigned char>(c) <= 32) {
            m_inputDevice->ungetChar(c);
            return;
        }
        if (isLetter(c)) {
            // A letter after the parameter starts the text that follows the
            // word: writers emit "\highlight0Normal" and "\u945a", where the
            // letters are text (and for \u, its fallback).
            if (token.hasParameter) {
                m_inputDevice->ungetChar(c);
                return;
            }
            token.name.append(c);
        } else if (isDigit(c) || c == '-') {
            token.parameter.append(QLatin1Char(c));
            token.hasParameter = true;
        } else {
            m_inputDevice->ungetChar(c);
            return;
        }
    }
}

void Tokenizer::pullControlSymbol(Token &token)
{
    const char symbol = token.name.at(0);
    switch (symbol) {
    case '\'': {
        // \'hh: one byte written as two hex digits. A malformed escape stays
        // a control symbol, and the bytes read for it are dropped.
        char high;
        char low;
        if (!m_inputDevice->getChar(&high) || !m_inputDevice->getChar(&low))
            return;
        const int highValue = hexValue(high);
        const int lowValue = hexValue(low);
        if (highValue < 0 || lowValue < 0)
            return;
        token.type = Plain;
        token.name = QByteArray(1, char(highValue * 16 + lowValue));
        return;
    }
    case '\\':
    case '{':
    case '}':
        token.type = Plain;
        return;
    case '*':
        return;
    default:
        qCDebug(lcRtf) << "unhandled control symbol in Tokenizer:" << token.name;
        return;
    }
}

} // namespace Tavisk

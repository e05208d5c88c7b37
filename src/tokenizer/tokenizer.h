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
    ~Tokenizer();
    Q_DISABLE_COPY(Tokenizer)

    Token fetchToken();

    /// Answers whether @p byte starts a two-byte character in the code page
    /// of the text being read; @p context is the pointer given with it.
    using LeadByteTest = bool (*)(const void *context, unsigned char byte);
    /**
     * Sets the question the tokenizer asks when a byte of 0x81 or above in
     * raw text stands right before '{', '}' or '\\': in a double-byte code
     * page (Shift-JIS, GBK, Big5...) such a byte may start a character whose
     * second byte is that brace or backslash, which then belongs to the
     * text. Without a test (the default) no byte is a lead byte.
     */
    void setLeadByteTest(LeadByteTest test, const void *context);

    /**
     * Skips what may stand before a document's opening brace: a UTF-8 byte
     * order mark at the very start, then spaces, tabs and line breaks.
     */
    void skipSpaceBeforeDocument();
    /**
     * Like fetchToken(), but a text run, word or parameter is cut after a
     * few hundred bytes: the header check decides from the first bytes, and
     * a file that is not RTF (a run of NUL bytes, say) must not be read
     * whole to find that out. After a cut the tokenizer stands inside the
     * run, so only the header check uses this.
     */
    Token fetchHeaderToken();

    void pullControl(Token &token);
    void pullControlWord(Token &token);
    void pullControlSymbol(Token &token);
    void pullPlainText(Token &token);

private:
    // The work of pullControlWord and pullPlainText, for a word or run whose
    // first byte has been read but not yet stored in the token.
    void readToken(Token &token);
    void readControl(Token &token);
    void readControlSymbol(Token &token);
    void readControlWord(Token &token, const char *first, qsizetype firstLength);
    bool readControlWordInWindow(Token &token, char first);
    void readControlWordByteByByte(Token &token, const char *first, qsizetype firstLength);
    void readPlainText(Token &token, const char *first, qsizetype firstLength);
    void readBinary(Token &token);
    bool runEndsInLeadByte(const Token &token, const char *buffer, qsizetype length, qsizetype &checked) const;

    QByteArray sharedName(const char *name, qsizetype length);
    QString sharedParameter(const char *digits, qsizetype length);

    /**
     * The bytes ahead of the device position, as QIODevice::peek() copies
     * them. Tokens are read from here; the device is moved past the bytes
     * used when the window is refilled and when the tokenizer is destroyed,
     * so it is left exactly where byte-wise reading with one byte of
     * push-back would have left it (after the document's closing brace,
     * say), while one peek and one skip per window replace a getChar() call
     * per byte, the most expensive step of reading.
     */
    class LookAhead
    {
    public:
        explicit LookAhead(QIODevice *device)
            : m_device(device)
        {
        }
        /// The next byte, or false at the end of the input.
        bool getChar(char *c)
        {
            if (m_index == m_size && !refill())
                return false;
            *c = m_bytes[m_index++];
            return true;
        }
        /// Gives back the byte just read.
        void ungetChar(char c);
        /// The bytes read ahead and not yet taken, from the last byte taken
        /// on: *@p available of them follow it. Null when no byte of this
        /// window has been taken.
        const char *fromLastTaken(qsizetype *available) const
        {
            *available = m_size - m_index;
            return m_index > 0 ? m_bytes + m_index - 1 : nullptr;
        }
        /// Takes @p count bytes of those fromLastTaken() shows.
        void take(qsizetype count) { m_index += count; }
        /// Appends up to @p maximum of the next bytes to @p data, as many as
        /// the window holds; returns how many (0 at the end of the input).
        qsizetype appendTo(QByteArray &data, qint64 maximum);
        /// Skips @p bytes if the input continues with them.
        void skipIfNext(const char *bytes, qsizetype length);
        /// Moves the device past the bytes read.
        void consume();

    private:
        bool refill();

        QIODevice *m_device;
        qsizetype m_index = 0;
        qsizetype m_size = 0;
        char m_bytes[4096];
    };

    QIODevice *m_inputDevice;
    LookAhead m_lookAhead;
    /// The bytes still to come as raw data after a \binN word: the next
    /// token is a Binary one holding them.
    qint64 m_binaryRemaining = 0;
    /// Set while the header check reads: runs are cut at a buffer's length.
    bool m_bounded = false;
    LeadByteTest m_leadByteTest = nullptr;
    const void *m_leadByteContext = nullptr;
    /// The bytes of the last run of text, handed to its token: once that
    /// token is gone, the next run fits in the same allocation.
    QByteArray m_text;
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

// Tests of the tokenizer: which tokens a byte sequence gives, and where the
// tokenizer leaves the device.

#include "testhelpers.h"
#include "tokenizer/tokenizer.h"

#include <QBuffer>
#include <QTest>

using namespace Tavisk;

namespace
{
// One token as a short text: "{", "}", "\name[param]", "'text'", "EOF".
QString describe(const Token &token)
{
    switch (token.type) {
    case OpenGroup:
        return QStringLiteral("{");
    case CloseGroup:
        return QStringLiteral("}");
    case Control:
        return QLatin1Char('\\') + QString::fromLatin1(token.name)
            + (token.hasParameter ? QLatin1Char('[') + token.parameter + QLatin1Char(']') : QString());
    case Plain: {
        QString text;
        for (char c : token.name) {
            const uchar u = uchar(c);
            text += (u <= 32 || u > 126) ? QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0')) : QString(QLatin1Char(c));
        }
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }
    case Binary: {
        // The data in hex, so any byte shows.
        return QStringLiteral("BIN:") + QString::fromLatin1(token.name.toHex());
    }
    case EndOfFile:
        return QStringLiteral("EOF");
    }
    return QStringLiteral("?");
}

// A device that hands over one byte per read, as a slow pipe may: the
// tokenizer's read-ahead window then never holds more than one byte, and
// every word is read byte by byte instead of found within the window.
class TrickleDevice : public QIODevice
{
public:
    explicit TrickleDevice(const QByteArray &bytes)
        : m_bytes(bytes)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (maxSize <= 0 || m_position >= m_bytes.size())
            return m_position >= m_bytes.size() ? -1 : 0;
        *data = m_bytes.at(m_position++);
        return 1;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qsizetype m_position = 0;
};

QStringList tokenize(const QByteArray &input, const QByteArray *leadBytes = nullptr, bool trickle = false)
{
    QByteArray bytes = input;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TrickleDevice trickleDevice(input);
    Tokenizer tokenizer(trickle ? static_cast<QIODevice *>(&trickleDevice) : &buffer);
    if (leadBytes) {
        tokenizer.setLeadByteTest(
            [](const void *context, unsigned char byte) {
                return static_cast<const QByteArray *>(context)->contains(char(byte));
            },
            leadBytes);
    }
    QStringList tokens;
    for (;;) {
        const Token token = tokenizer.fetchToken();
        tokens.append(describe(token));
        if (token.type == EndOfFile)
            break;
    }
    // The end of the input is reported again on every further call.
    if (tokenizer.fetchToken().type != EndOfFile)
        tokens.append(QStringLiteral("token after EOF"));
    return tokens;
}
} // namespace

class TokenizerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tokens_data();
    void tokens();
    void unhandledSymbolsAreLogged_data();
    void unhandledSymbolsAreLogged();
    void doubleByteTrail_data();
    void doubleByteTrail();
    void longWordAndParameter();
    void dump();
    void tokensAcrossReadAhead();
    void devicePosition_data();
    void devicePosition();
};

void TokenizerTest::tokens_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("expected");

    auto row = [](const char *name, const QByteArray &input, const QString &expected) {
        QTest::newRow(name) << input << expected.split(QLatin1Char(' '));
    };
    // Tokens are separated by single spaces in the expectations; text tokens
    // below contain no spaces except where written as <20>.
    row("empty", "", QStringLiteral("EOF"));
    row("only line breaks", "\r\n\n\r", QStringLiteral("EOF"));
    row("group with toggle", "{\\b0 x}", QStringLiteral("{ \\b[0] 'x' } EOF"));
    row("negative parameter consumes space", "\\li-360 x", QStringLiteral("\\li[-360] 'x' EOF"));
    row("only one delimiter space", "\\b  bold", QStringLiteral("\\b '<20>bold' EOF"));
    row("carriage return ends word", "\\par\r\nText", QStringLiteral("\\par 'Text' EOF"));
    row("text runs across line breaks", "abc\r\ndef", QStringLiteral("'abcdef' EOF"));
    row("hex escape lower case", "\\'e9", QStringLiteral("'<e9>' EOF"));
    row("hex escape upper case", "\\'E9", QStringLiteral("'<e9>' EOF"));
    row("hex escape NUL", "\\'00", QStringLiteral("'<00>' EOF"));
    row("malformed hex escape", "\\'zzq", QStringLiteral("\\' 'q' EOF"));
    row("hex escape cut by end", "\\'e", QStringLiteral("\\' EOF"));
    row("escaped braces stay separate", "a\\{b\\}c\\\\d",
        QStringLiteral("'a' '{' 'b' '}' 'c' '\\' 'd' EOF"));
    row("ignorable mark", "\\*\\foo", QStringLiteral("\\* \\foo EOF"));
    row("backslash ends a word", "\\b\\i", QStringLiteral("\\b \\i EOF"));
    row("tab ends a word and is kept", "\\b\tx", QStringLiteral("\\b '<09>x' EOF"));
    row("letters after the parameter are text", "\\fs24x", QStringLiteral("\\fs[24] 'x' EOF"));
    row("unicode followed by letters", "\\u945a", QStringLiteral("\\u[945] 'a' EOF"));
    row("minus after the digits is text", "\\fs24-b", QStringLiteral("\\fs[24] '-b' EOF"));
    row("minus after a unicode value is its fallback", "one\\u8212-two",
        QStringLiteral("'one' \\u[8212] '-two' EOF"));
    row("second minus is text", "\\b--1;", QStringLiteral("\\b[-] '-1;' EOF"));
    row("lone minus is a parameter", "\\b- x", QStringLiteral("\\b[-] 'x' EOF"));
    row("digits after the minus text stay text", "\\li1-1 ", QStringLiteral("\\li[1] '-1<20>' EOF"));
    row("non-ASCII byte ends a word", "\\b\xe9", QStringLiteral("\\b '<e9>' EOF"));
    // \binN: N raw bytes after the delimiter, braces and backslashes included.
    row("bin data is one token", "\\bin4 {}\\\\x}", QStringLiteral("\\bin[4] BIN:7b7d5c5c 'x' } EOF"));
    row("bin data right after the number", "\\bin2\x89P\\par", QStringLiteral("\\bin[2] BIN:8950 \\par EOF"));
    row("bin data starting with a space", "\\bin2  }}", QStringLiteral("\\bin[2] BIN:207d } EOF"));
    row("bin data holding line breaks", "\\bin3 \r\n\r}", QStringLiteral("\\bin[3] BIN:0d0a0d } EOF"));
    row("bin count past the end", "\\bin100 ab", QStringLiteral("\\bin[100] BIN:6162 EOF"));
    row("bin at the 32-bit limit", "\\bin2147483647 {", QStringLiteral("\\bin[2147483647] BIN:7b EOF"));
    row("bin past the 32-bit limit is no data", "\\bin2147483648 {",
        QStringLiteral("\\bin[2147483648] { EOF"));
    row("bin0 is no data", "\\bin0 {", QStringLiteral("\\bin[0] { EOF"));
    row("negative bin is no data", "\\bin-4 {}", QStringLiteral("\\bin[-4] { } EOF"));
    row("bin without a number is no data", "\\bin {}", QStringLiteral("\\bin { } EOF"));
    row("bin count ends at a letter", "\\bin1ab", QStringLiteral("\\bin[1] BIN:61 'b' EOF"));
    row("binary is only the word bin", "\\bins2 {}", QStringLiteral("\\bins[2] { } EOF"));
    row("backslash and line feed is a paragraph", "a\\\nb", QStringLiteral("'a' \\par 'b' EOF"));
    row("backslash and carriage return is a paragraph", "a\\\r\nb", QStringLiteral("'a' \\par 'b' EOF"));
    row("backslash at end of input", "ab\\", QStringLiteral("'ab' \\ EOF"));
    row("word at end of input", "\\par", QStringLiteral("\\par EOF"));
    row("symbol needs no delimiter", "\\~x", QStringLiteral("\\~ 'x' EOF"));
}

void TokenizerTest::tokens()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, expected);
    QCOMPARE(tokenize(input), expected);
    // The same when the device hands over a byte at a time.
    QCOMPARE(tokenize(input, nullptr, true), expected);
}

void TokenizerTest::unhandledSymbolsAreLogged_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("non-breaking space") << QByteArray("\\~")
                                        << QStringList{QStringLiteral("unhandled control symbol in Tokenizer: \"~\"")};
    QTest::newRow("line break after backslash is not logged") << QByteArray("\\\n\\\r") << QStringList();
    QTest::newRow("ignorable mark is not logged") << QByteArray("\\*\\foo") << QStringList();
    QTest::newRow("escapes are not logged") << QByteArray("\\{\\}\\\\\\'41") << QStringList();
}

void TokenizerTest::unhandledSymbolsAreLogged()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, expected);
    TestHelpers::LogCapture log;
    tokenize(input);
    QCOMPARE(log.messages(), expected);
}

// In a double-byte code page a lead byte takes the next byte with it, even a
// brace or a backslash; the tokenizer asks only for a high byte right before
// one of those.
void TokenizerTest::doubleByteTrail_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("leadBytes");
    QTest::addColumn<QStringList>("tokens");

    const QByteArray sjis("\x83\x84\x95");
    QTest::newRow("trail backslash") << QByteArray("a\x83\\b\\par") << sjis
                                     << QStringList{QStringLiteral("'a<83>\\b'"), QStringLiteral("\\par"), QStringLiteral("EOF")};
    QTest::newRow("trail braces") << QByteArray("\x83{\x83}}") << sjis
                                  << QStringList{QStringLiteral("'<83>{<83>}'"), QStringLiteral("}"), QStringLiteral("EOF")};
    QTest::newRow("high byte that is a trail byte") << QByteArray("\x84\x83\\par") << sjis
                                                    << QStringList{QStringLiteral("'<84><83>'"), QStringLiteral("\\par"), QStringLiteral("EOF")};
    QTest::newRow("lead byte after a pair") << QByteArray("\x84\x83\x95\\x") << sjis
                                            << QStringList{QStringLiteral("'<84><83><95>\\x'"), QStringLiteral("EOF")};
    QTest::newRow("not a lead byte") << QByteArray("\xe9\\b x") << sjis
                                     << QStringList{QStringLiteral("'<e9>'"), QStringLiteral("\\b"), QStringLiteral("'x'"), QStringLiteral("EOF")};
    QTest::newRow("single-byte code page") << QByteArray("\x83{") << QByteArray()
                                           << QStringList{QStringLiteral("'<83>'"), QStringLiteral("{"), QStringLiteral("EOF")};
    QByteArray longRun(5000, '\x84');
    longRun += "\\";
    QTest::newRow("long run of pairs") << longRun + "x" << sjis
                                       << QStringList{QStringLiteral("'") + QString(2500, QLatin1Char('x')).replace(QLatin1String("x"), QLatin1String("<84><84>"))
                                                          + QStringLiteral("'"),
                                                      QStringLiteral("\\x"), QStringLiteral("EOF")};
}

void TokenizerTest::doubleByteTrail()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, leadBytes);
    QFETCH(QStringList, tokens);
    QCOMPARE(tokenize(input, &leadBytes), tokens);
}

void TokenizerTest::longWordAndParameter()
{
    // Neither the name nor the parameter has a length limit.
    const QByteArray letters(100000, 'a');
    const QByteArray digits(100000, '7');
    QByteArray bytes = "\\" + letters + digits + " x";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Tokenizer tokenizer(&buffer);
    const Token word = tokenizer.fetchToken();
    QCOMPARE(word.type, Control);
    QCOMPARE(word.name, letters);
    QCOMPARE(word.parameter, QString::fromLatin1(digits));
    QCOMPARE(tokenizer.fetchToken().name, QByteArray("x"));
}

void TokenizerTest::dump()
{
    TestHelpers::LogCapture log;
    Token token;
    token.type = Control;
    token.name = "fs";
    token.hasParameter = true;
    token.parameter = QStringLiteral("24");
    token.dump();
    Token group;
    group.type = OpenGroup;
    group.dump();
    QCOMPARE(log.messages(),
             (QStringList{QStringLiteral("token type: Control"), QStringLiteral("name:  \"fs\""),
                          QStringLiteral("parameter:  \"24\""), QStringLiteral("token type: OpenGroup")}));
}

void TokenizerTest::tokensAcrossReadAhead()
{
    // The tokenizer reads ahead in blocks of a few kilobytes: every kind of
    // token must come out the same wherever a block ends inside it.
    const QByteArray tail = "\\fs24 \\'e9\\b-1\r\n{x\\{}\\bin5 }\\{\r\n\\par\tz\\";
    for (int prefix = 4070; prefix <= 4110; ++prefix) {
        const QStringList expected{QStringLiteral("'") + QString(prefix, QLatin1Char('a')) + QLatin1Char('\''),
                                   QStringLiteral("\\fs[24]"),
                                   QStringLiteral("'<e9>'"),
                                   QStringLiteral("\\b[-1]"),
                                   QStringLiteral("{"),
                                   QStringLiteral("'x'"),
                                   QStringLiteral("'{'"),
                                   QStringLiteral("}"),
                                   QStringLiteral("\\bin[5]"),
                                   QStringLiteral("BIN:7d5c7b0d0a"),
                                   QStringLiteral("\\par"),
                                   QStringLiteral("'<09>z'"),
                                   QStringLiteral("\\"),
                                   QStringLiteral("EOF")};
        QCOMPARE(tokenize(QByteArray(prefix, 'a') + tail), expected);
    }
}

void TokenizerTest::devicePosition_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("tokens");
    QTest::addColumn<qint64>("position");

    // Once the tokenizer is gone, the device is where reading byte by byte
    // with one byte of push-back would have left it.
    QTest::newRow("after the document's closing brace") << QByteArray("{\\rtf1 a}b{c}") << 4 << qint64(9);
    QTest::newRow("a word's space delimiter is consumed") << QByteArray("\\par x") << 1 << qint64(5);
    QTest::newRow("a word's backslash is given back") << QByteArray("\\b\\i") << 1 << qint64(2);
    QTest::newRow("a run's backslash is given back") << QByteArray("ab\\c") << 1 << qint64(2);
    QTest::newRow("a hex escape ends after its digits") << QByteArray("\\'e9z") << 1 << qint64(4);
    QTest::newRow("a malformed hex escape keeps what it read") << QByteArray("\\'zzq") << 1 << qint64(4);
    QTest::newRow("binary data ends with its count") << QByteArray("\\bin3 abcd") << 2 << qint64(9);
    QTest::newRow("past a long run") << QByteArray(10000, 'a') + "}{" << 2 << qint64(10001);
    QTest::newRow("no token fetched") << QByteArray("{\\rtf1}") << 0 << qint64(0);
}

void TokenizerTest::devicePosition()
{
    QFETCH(QByteArray, input);
    QFETCH(int, tokens);
    QFETCH(qint64, position);

    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    {
        Tokenizer tokenizer(&buffer);
        for (int i = 0; i < tokens; ++i)
            tokenizer.fetchToken();
    }
    QCOMPARE(buffer.pos(), position);
}

QTEST_APPLESS_MAIN(TokenizerTest)

#include "tokenizertest.moc"

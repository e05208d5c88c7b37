// Tests of the control-word vocabulary: the list is complete, every word has
// its kind, and the three lookups answer as they must.

#include "controlword/controlword_p.h"
#include "destinations/destinationtable_p.h"

#include <QHash>
#include <QSet>
#include <QTest>

#include <thread>
#include <vector>

using namespace Tavisk;

Q_DECLARE_METATYPE(Tavisk::ControlWordType)

class ControlWordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // First, so that the threads race to build the tables.
    void concurrentFirstUse();
    void listSize();
    void wordsPerKind_data();
    void wordsPerKind();
    void kindOfWord_data();
    void kindOfWord();
    void lookups_data();
    void lookups();
    void lookupsAgree();
};

void ControlWordTest::listSize()
{
    qsizetype entries = 0;
    QSet<QByteArray> distinct;
    for (const ControlWordEntry &entry : controlWordEntries()) {
        ++entries;
        distinct.insert(QByteArray(entry.name));
    }
    QCOMPARE(entries, 1815);
    QCOMPARE(distinct.size(), 1813);
}

void ControlWordTest::wordsPerKind_data()
{
    QTest::addColumn<ControlWordType>("kind");
    QTest::addColumn<int>("count");
    QTest::newRow("symbols") << ControlWordType::Symbol << 46;
    QTest::newRow("flags") << ControlWordType::Flag << 882;
    QTest::newRow("values") << ControlWordType::Value << 524;
    QTest::newRow("toggles") << ControlWordType::Toggle << 64;
    QTest::newRow("destinations") << ControlWordType::Destination << 297;
}

void ControlWordTest::wordsPerKind()
{
    QFETCH(ControlWordType, kind);
    QFETCH(int, count);
    // Distinct words of the kind; the two repeated words keep their kind.
    QHash<QByteArray, ControlWordType> words;
    for (const ControlWordEntry &entry : controlWordEntries()) {
        const auto it = words.constFind(QByteArray(entry.name));
        QVERIFY2(it == words.constEnd() || it.value() == entry.type, entry.name);
        words.insert(QByteArray(entry.name), entry.type);
    }
    QCOMPARE(words.size(), 1813);
    int found = 0;
    for (auto it = words.cbegin(); it != words.cend(); ++it)
        found += it.value() == kind;
    QCOMPARE(found, count);
}

void ControlWordTest::kindOfWord_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<ControlWordType>("kind");
    // A sample of each kind, from the start, the middle and the end of the
    // alphabet, with the capitalised words and the repeated ones.
    const struct {
        const char *word;
        ControlWordType kind;
    } samples[] = {
        {"'", ControlWordType::Symbol},        {"\\", ControlWordType::Symbol},
        {"bullet", ControlWordType::Symbol},   {"par", ControlWordType::Symbol},
        {"zwnj", ControlWordType::Symbol},     {"~", ControlWordType::Symbol},
        {"ApplyBrkRules", ControlWordType::Flag}, {"clFitText", ControlWordType::Flag},
        {"pard", ControlWordType::Flag},       {"tsbrdrr", ControlWordType::Flag},
        {"yxe", ControlWordType::Flag},        {"absh", ControlWordType::Value},
        {"clftsWidth", ControlWordType::Value}, {"fs", ControlWordType::Value},
        {"u", ControlWordType::Value},         {"ab", ControlWordType::Toggle},
        {"b", ControlWordType::Toggle},        {"ulth", ControlWordType::Toggle},
        {"v", ControlWordType::Toggle},        {"aftncn", ControlWordType::Destination},
        {"fonttbl", ControlWordType::Destination}, {"mmathPr", ControlWordType::Destination},
        {"rtf", ControlWordType::Destination}, {"ud", ControlWordType::Destination},
        {"upr", ControlWordType::Destination},
    };
    for (const auto &sample : samples)
        QTest::newRow(sample.word) << QByteArray(sample.word) << sample.kind;
}

void ControlWordTest::kindOfWord()
{
    QFETCH(QByteArray, word);
    QFETCH(ControlWordType, kind);
    bool found = false;
    for (const ControlWordEntry &entry : controlWordEntries()) {
        if (word == entry.name) {
            QCOMPARE(entry.type, kind);
            found = true;
        }
    }
    QVERIFY(found);
    QVERIFY(ControlWord(QString::fromLatin1(word)).isKnown());
    QCOMPARE(ControlWord::isDestination(QString::fromLatin1(word)), kind == ControlWordType::Destination);
}

void ControlWordTest::lookups_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("destination");
    QTest::addColumn<bool>("supported");

    QTest::newRow("par") << QStringLiteral("par") << true << false << false;
    QTest::newRow("b") << QStringLiteral("b") << true << false << false;
    QTest::newRow("fonttbl") << QStringLiteral("fonttbl") << true << true << true;
    QTest::newRow("shppict") << QStringLiteral("shppict") << true << true << true;
    QTest::newRow("mmathPr") << QStringLiteral("mmathPr") << true << true << true;
    QTest::newRow("mmathpr lower case") << QStringLiteral("mmathpr") << false << false << false;
    QTest::newRow("listtable") << QStringLiteral("listtable") << true << true << true;
    QTest::newRow("listtext") << QStringLiteral("listtext") << true << true << true;
    QTest::newRow("pn") << QStringLiteral("pn") << true << true << true;
    QTest::newRow("list is read by the list table") << QStringLiteral("list") << true << true << false;
    QTest::newRow("rtf") << QStringLiteral("rtf") << true << true << false;
    QTest::newRow("ud") << QStringLiteral("ud") << true << true << true;
    QTest::newRow("upr") << QStringLiteral("upr") << true << true << true;
    QTest::newRow("header") << QStringLiteral("header") << true << true << true;
    QTest::newRow("star") << QStringLiteral("*") << true << false << false;
    QTest::newRow("quote") << QStringLiteral("'") << true << false << false;
    QTest::newRow("Par capitalised") << QStringLiteral("Par") << false << false << false;
    QTest::newRow("foo") << QStringLiteral("foo") << false << false << false;
    QTest::newRow("empty") << QString() << false << false << false;
}

void ControlWordTest::lookups()
{
    QFETCH(QString, word);
    QFETCH(bool, known);
    QFETCH(bool, destination);
    QFETCH(bool, supported);
    const ControlWord controlWord(word);
    QCOMPARE(controlWord.isKnown(), known);
    QCOMPARE(ControlWord::isDestination(word), destination);
    QCOMPARE(controlWord.isSupportedDestination(), supported);
}

void ControlWordTest::concurrentFirstUse()
{
    const QStringList words = {QStringLiteral("fonttbl"), QStringLiteral("par"), QStringLiteral("foo"),
                               QStringLiteral("pict"), QStringLiteral("ud"), QStringLiteral("mmathPr")};
    std::vector<int> answers(words.size());
    std::vector<std::thread> threads;
    for (qsizetype i = 0; i < words.size(); ++i) {
        threads.emplace_back([&words, &answers, i] {
            const ControlWord controlWord(words.at(i));
            answers[i] = int(controlWord.isKnown()) | int(ControlWord::isDestination(words.at(i))) << 1
                | int(controlWord.isSupportedDestination()) << 2;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(answers, (std::vector<int>{7, 1, 0, 7, 7, 7}));
}

// The parse loop classifies each word through a table of its own, built from
// the vocabulary list and the destination table; it must answer as the
// ControlWord lookups do for every word.
void ControlWordTest::lookupsAgree()
{
    const auto check = [](const QByteArray &name) {
        const QString word = QString::fromLatin1(name);
        const ControlWord controlWord(word);
        const ControlWordClass wordClass = classifyControlWord(name);
        return wordClass.known == controlWord.isKnown()
            && wordClass.supportedDestination == controlWord.isSupportedDestination();
    };

    qsizetype entries = 0;
    for (const ControlWordEntry &entry : controlWordEntries()) {
        ++entries;
        const QByteArray name(entry.name);
        QVERIFY2(ControlWord(QString::fromLatin1(name)).isKnown(), name.constData());
        QVERIFY2(ControlWord::isDestination(QString::fromLatin1(name)) == (entry.type == ControlWordType::Destination),
                 name.constData());
        QVERIFY2(check(name), name.constData());
    }
    QCOMPARE(entries, 1815);

    // Every destination the reader opens by its word is a destination word
    // of the vocabulary; the names the parse loop opens itself are not
    // opened by a word.
    qsizetype opened = 0;
    for (const DestinationTable::Entry &entry : DestinationTable::entries()) {
        const QByteArray name(entry.name.data(), qsizetype(entry.name.size()));
        QVERIFY2(check(name), name.constData());
        QVERIFY2(ControlWord(QString::fromLatin1(name)).isSupportedDestination() == entry.openedByWord,
                 name.constData());
        if (entry.openedByWord) {
            ++opened;
            QVERIFY2(ControlWord::isDestination(QString::fromLatin1(name)), name.constData());
        }
    }
    QCOMPARE(opened, 62);

    // Near misses: case, prefixes and extensions of words.
    for (const char *name : {"Par", "pa", "parx", "fonttb", "fonttblx", "ignorable", "MMATHPR", ""})
        QVERIFY2(check(QByteArray(name)), name);
}

QTEST_APPLESS_MAIN(ControlWordTest)

#include "controlwordtest.moc"

#include "fielddestination.h"

#include <tavisk/abstractrtfoutput.h>

#include <QStringList>

namespace Tavisk
{

namespace
{
// The words of a field instruction: runs of non-blank characters, or quoted
// strings (quotes removed). Inside quotes, \" is a quote and \\ a backslash.
QStringList instructionWords(const QString &instruction)
{
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = instruction.size();
    while (i < n) {
        if (instruction.at(i).isSpace()) {
            ++i;
            continue;
        }
        QString word;
        if (instruction.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n && instruction.at(i) != QLatin1Char('"')) {
                if (instruction.at(i) == QLatin1Char('\\') && i + 1 < n
                    && (instruction.at(i + 1) == QLatin1Char('"') || instruction.at(i + 1) == QLatin1Char('\\')))
                    ++i;
                word.append(instruction.at(i));
                ++i;
            }
            ++i; // the closing quote
        } else {
            while (i < n && !instruction.at(i).isSpace()) {
                word.append(instruction.at(i));
                ++i;
            }
        }
        words.append(word);
    }
    return words;
}
} // namespace

FieldDestination::FieldDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
}

void FieldDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (controlWord == "fldrslt") {
        if (!m_resultStarted)
            beginResult();
        return;
    }
    DocumentDestination::handleControlWord(controlWord, hasParameter, parameter);
}

void FieldDestination::aboutToEndDestination()
{
    if (!m_resultStarted)
        beginResult();
    if (m_link)
        m_output->endLink();
    m_output->endField();
}

void FieldDestination::setInstruction(const QString &instruction)
{
    m_instruction = instruction.trimmed();
}

void FieldDestination::beginResult()
{
    m_resultStarted = true;
    m_output->beginField(m_instruction);
    const Link link = parseHyperlink(m_instruction);
    m_link = !link.href.isEmpty();
    if (m_link)
        m_output->beginLink(link.href, link.toolTip);
}

FieldDestination::Link FieldDestination::parseHyperlink(const QString &instruction)
{
    const QStringList words = instructionWords(instruction);
    Link link;
    if (words.isEmpty() || words.first().compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return link;
    QString url;
    QString bookmark;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (word.size() == 2 && word.at(0) == QLatin1Char('\\')) {
            // Switches; \l and \o take the next word, \t (target frame) too.
            const QChar option = word.at(1).toLower();
            const bool takesArgument = option == QLatin1Char('l') || option == QLatin1Char('o')
                || option == QLatin1Char('t');
            if (takesArgument && i + 1 < words.size()) {
                const QString &argument = words.at(++i);
                if (option == QLatin1Char('l'))
                    bookmark = argument;
                else if (option == QLatin1Char('o'))
                    link.toolTip = argument;
            }
        } else if (url.isEmpty()) {
            url = word;
        }
    }
    link.href = url;
    if (!bookmark.isEmpty())
        link.href += QLatin1Char('#') + bookmark;
    return link;
}

} // namespace Tavisk

#ifndef TAVISK_READER_P_H
#define TAVISK_READER_P_H

#include <QStack>
#include <QString>

class QFile;

namespace Tavisk
{

class AbstractRtfOutput;
class Destination;
class Tokenizer;

/// One record per open RTF group.
struct GroupState {
    /// A destination was pushed while this group was the innermost one;
    /// closing the group ends the destination on top.
    bool destinationChanged = false;
    /// The group opened by the header's brace: closing it ends the parse.
    bool endsDocument = false;
};

class ReaderPrivate
{
public:
    ReaderPrivate();
    virtual ~ReaderPrivate();

    bool open(const QString &fileName);
    void close();
    QString fileName() const;
    bool parseTo(AbstractRtfOutput *output);

    /// Header check, then the parse loop. Returns whether the header was accepted.
    bool parseFile();

    static bool parseFileHeader(Tokenizer &tokenizer);
    static bool headerFormatIsKnown(const QString &name, int version);

    void parseDocument(Tokenizer &tokenizer);
    void changeDestination(const QString &destinationName);
    Destination *makeDestination(const QString &destinationName) const;

    QFile *m_inputDevice = nullptr;
    AbstractRtfOutput *m_output = nullptr;
    QStack<Destination *> m_destinationStack;
    QStack<GroupState> m_stateStack;
    QString m_debugIndent;
};

} // namespace Tavisk

#endif

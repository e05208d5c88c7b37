#ifndef TAVISK_READER_P_H
#define TAVISK_READER_P_H

#include "destinations/unicodefallback_p.h"

#include <QString>

#include <memory>
#include <vector>

class QFile;
class QIODevice;

namespace Tavisk
{

class AbstractRtfOutput;
class Destination;
class Tokenizer;
struct Token;

/// One record per open RTF group.
struct GroupState {
    /// A destination was pushed while this group was the innermost one;
    /// closing the group ends the destination on top.
    bool destinationChanged = false;
    /// The group opened by the header's brace: closing it ends the parse.
    bool endsDocument = false;
    /// The fallback length of \u in this group, as \ucN last set it here or
    /// in an enclosing group: a group starts with its parent's and loses its
    /// own changes when it closes.
    int unicodeSkip = 1;
};

class ReaderPrivate
{
public:
    ReaderPrivate();
    ~ReaderPrivate();

    bool open(const QString &fileName);
    bool open(QIODevice *device);
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

    /// The file opened by name; null while reading a caller's device.
    std::unique_ptr<QFile> m_file;
    /// The device being read: m_file, or a device the caller owns.
    QIODevice *m_inputDevice = nullptr;
    /// The caller's device was opened by open(QIODevice *), so close() closes it.
    bool m_closeDevice = false;
    AbstractRtfOutput *m_output = nullptr;
    /// Destinations of the open groups that opened one; the last is on top.
    std::vector<std::unique_ptr<Destination>> m_destinationStack;
    std::vector<GroupState> m_stateStack;
    /// Tabs that indent the debug messages by group depth; kept only while
    /// debug logging is enabled.
    QString m_debugIndent;
    bool m_debugEnabled = false;
    QString m_errorString;

private:
    // One handler per kind of token of the parse loop. Each returns true when
    // the document group has closed.
    bool handleOpenGroup();
    bool handleCloseGroup();
    void handleControlWord(const Token &token);
    Destination *topDestination() const { return m_destinationStack.back().get(); }

    /// True while a control word would be the first word of its group (after
    /// '{', after '}', and after \*): only there does a destination word open
    /// a destination.
    bool m_atGroupStart = false;
    /// Set by \*: the next unsupported word at a group start opens an ignored
    /// destination. Group braces do not reset it.
    bool m_ignorable = false;
    /// The fallback of the last \u, dropped before any destination sees it.
    UnicodeFallback m_unicodeFallback;
};

} // namespace Tavisk

#endif

#include <tavisk/abstractrtfoutput.h>

#include <QHash>

namespace Tavisk
{

class AbstractRtfOutputPrivate
{
public:
    QString m_author;
    QString m_companyName;
    QString m_operatorName;
    QString m_title;
    QString m_subject;
    QString m_category;
    QString m_managerName;
    QString m_comment;
    QString m_documentComment;
    QString m_keywords;
    QString m_hLinkBase;
    QDateTime m_created;
    QDateTime m_revised;
    QString m_generatorInformation;
    QDateTime m_printed;
    int m_totalEditingTime = -1;
    int m_numberOfPages = -1;
    int m_numberOfWords = -1;
    int m_numberOfCharacters = -1;
    int m_numberOfCharactersWithoutSpaces = -1;
    int m_versionNumber = -1;
    int m_internalVersionNumber = -1;
    QHash<QString, QVariant> m_userProps;
    int m_documentCodePage = 0;
};

AbstractRtfOutput::AbstractRtfOutput()
    : d(std::make_unique<AbstractRtfOutputPrivate>())
{
}

AbstractRtfOutput::~AbstractRtfOutput() = default;

QVariant AbstractRtfOutput::userProp(const QString &name) const
{
    return d->m_userProps.value(name);
}

QList<QString> AbstractRtfOutput::userPropNames() const
{
    return d->m_userProps.keys();
}

void AbstractRtfOutput::addUserProp(const QString &name, const QVariant &value)
{
    d->m_userProps.insert(name, value);
}

#define TAVISK_METADATA_ACCESSORS(Type, getter, setter, field)                                                         \
    Type AbstractRtfOutput::getter() const                                                                             \
    {                                                                                                                  \
        return d->field;                                                                                               \
    }                                                                                                                  \
    void AbstractRtfOutput::setter(const Type &value)                                                                  \
    {                                                                                                                  \
        d->field = value;                                                                                              \
    }

TAVISK_METADATA_ACCESSORS(QString, author, setAuthor, m_author)
TAVISK_METADATA_ACCESSORS(QString, companyName, setCompanyName, m_companyName)
TAVISK_METADATA_ACCESSORS(QString, title, setTitle, m_title)
TAVISK_METADATA_ACCESSORS(QString, subject, setSubject, m_subject)
TAVISK_METADATA_ACCESSORS(QString, operatorName, setOperatorName, m_operatorName)
TAVISK_METADATA_ACCESSORS(QString, managerName, setManagerName, m_managerName)
TAVISK_METADATA_ACCESSORS(QString, comment, setComment, m_comment)
TAVISK_METADATA_ACCESSORS(QString, documentComment, setDocumentComment, m_documentComment)
TAVISK_METADATA_ACCESSORS(QString, keywords, setKeywords, m_keywords)
TAVISK_METADATA_ACCESSORS(QString, category, setCategory, m_category)
TAVISK_METADATA_ACCESSORS(QString, hLinkBase, setHLinkBase, m_hLinkBase)
TAVISK_METADATA_ACCESSORS(QString, generatorInformation, setGeneratorInformation, m_generatorInformation)
TAVISK_METADATA_ACCESSORS(QDateTime, created, setCreatedDateTime, m_created)
TAVISK_METADATA_ACCESSORS(QDateTime, revised, setRevisedDateTime, m_revised)
TAVISK_METADATA_ACCESSORS(QDateTime, printed, setPrintedDateTime, m_printed)

#undef TAVISK_METADATA_ACCESSORS

// The counts are passed by value, so they get accessors of their own.
#define TAVISK_COUNT_ACCESSORS(getter, setter, field)                                                                  \
    int AbstractRtfOutput::getter() const                                                                              \
    {                                                                                                                  \
        return d->field;                                                                                               \
    }                                                                                                                  \
    void AbstractRtfOutput::setter(int value)                                                                          \
    {                                                                                                                  \
        d->field = value;                                                                                              \
    }

TAVISK_COUNT_ACCESSORS(totalEditingTime, setTotalEditingTime, m_totalEditingTime)
TAVISK_COUNT_ACCESSORS(numberOfPages, setNumberOfPages, m_numberOfPages)
TAVISK_COUNT_ACCESSORS(numberOfWords, setNumberOfWords, m_numberOfWords)
TAVISK_COUNT_ACCESSORS(numberOfCharacters, setNumberOfCharacters, m_numberOfCharacters)
TAVISK_COUNT_ACCESSORS(numberOfCharactersWithoutSpaces, setNumberOfCharactersWithoutSpaces,
                       m_numberOfCharactersWithoutSpaces)
TAVISK_COUNT_ACCESSORS(versionNumber, setVersionNumber, m_versionNumber)
TAVISK_COUNT_ACCESSORS(internalVersionNumber, setInternalVersionNumber, m_internalVersionNumber)

#undef TAVISK_COUNT_ACCESSORS

void AbstractRtfOutput::startGroup()
{
}

void AbstractRtfOutput::endGroup()
{
}

void AbstractRtfOutput::beginParse()
{
}

void AbstractRtfOutput::endParse()
{
}

// Character and paragraph formats, continued

void AbstractRtfOutput::setFontUnderlineStyle(UnderlineStyle style)
{
    setFontUnderline(style == UnderlineStyle::None ? 0 : 1);
}

void AbstractRtfOutput::setUnderlineColour(int)
{
}

void AbstractRtfOutput::setFontAllCapitals(bool)
{
}

void AbstractRtfOutput::setFontSmallCapitals(bool)
{
}

void AbstractRtfOutput::setFontBaselineShift(int)
{
}

void AbstractRtfOutput::setFontNormalScript()
{
}

void AbstractRtfOutput::setFontHidden(bool)
{
}

void AbstractRtfOutput::setLineSpacing(int, bool)
{
}

void AbstractRtfOutput::addTabStop(int, TabAlignment, TabLeader)
{
}

void AbstractRtfOutput::setKeepTogether(bool)
{
}

void AbstractRtfOutput::setKeepWithNext(bool)
{
}

void AbstractRtfOutput::setPageBreakBefore(bool)
{
}

void AbstractRtfOutput::insertPageBreak()
{
    insertPar();
}

void AbstractRtfOutput::setParagraphDirectionLeftToRight()
{
}

void AbstractRtfOutput::setParagraphDirectionRightToLeft()
{
}

void AbstractRtfOutput::setParagraphStyle(int)
{
}

// Lists: an output without lists of its own shows the stored markers as
// text.

void AbstractRtfOutput::defineList(int listId, const QList<ListLevel> &levels)
{
    Q_UNUSED(listId)
    Q_UNUSED(levels)
}

void AbstractRtfOutput::defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt)
{
    Q_UNUSED(overrideNumber)
    Q_UNUSED(listId)
    Q_UNUSED(startAt)
}

void AbstractRtfOutput::setParagraphListOverride(int overrideNumber)
{
    Q_UNUSED(overrideNumber)
}

void AbstractRtfOutput::setParagraphListLevel(int level)
{
    Q_UNUSED(level)
}

void AbstractRtfOutput::setParagraphNumbering(const ListLevel &level, int levelIndex)
{
    Q_UNUSED(level)
    Q_UNUSED(levelIndex)
}

void AbstractRtfOutput::beginListText()
{
}

void AbstractRtfOutput::endListText()
{
}

// Tables and sections: an output that knows neither separates cells by a
// tab and puts rows and sections on lines of their own.

void AbstractRtfOutput::setParagraphTableLevel(int)
{
}

void AbstractRtfOutput::beginTableRowDefinition()
{
}

void AbstractRtfOutput::setTableRowFormat(const TableRowFormat &)
{
}

void AbstractRtfOutput::appendTableCellDefinition(const TableCellDefinition &)
{
}

void AbstractRtfOutput::endTableCell(bool)
{
    insertTab();
}

void AbstractRtfOutput::endTableRow(bool)
{
    insertPar();
}

void AbstractRtfOutput::insertSectionBreak()
{
    insertPar();
}

void AbstractRtfOutput::resetSectionFormat()
{
}

void AbstractRtfOutput::setSectionBreak(SectionBreak)
{
}

// Code pages

void AbstractRtfOutput::setDocumentCodePage(int codePage)
{
    d->m_documentCodePage = codePage;
}

int AbstractRtfOutput::documentCodePage() const
{
    return d->m_documentCodePage;
}

bool AbstractRtfOutput::isLeadByte(unsigned char byte) const
{
    Q_UNUSED(byte)
    return false;
}

// Fields, notes, comments, headers and footers, text boxes: by default the
// result of a field and the text of a text box are ordinary text, and the
// text of notes, comments, headers and footers is dropped.

void AbstractRtfOutput::beginField(const QString &)
{
}

void AbstractRtfOutput::endField()
{
}

void AbstractRtfOutput::beginLink(const QString &, const QString &)
{
}

void AbstractRtfOutput::endLink()
{
}

void AbstractRtfOutput::setBookmarkStart(const QString &)
{
}

void AbstractRtfOutput::setBookmarkEnd(const QString &)
{
}

void AbstractRtfOutput::setNoteNumbering(bool, NoteNumbering)
{
}

void AbstractRtfOutput::setNoteStartNumber(bool, int)
{
}

void AbstractRtfOutput::insertNoteReferenceMark()
{
}

bool AbstractRtfOutput::beginNote(bool)
{
    return false;
}

void AbstractRtfOutput::endNote()
{
}

void AbstractRtfOutput::setCommentRangeStart(const QString &)
{
}

void AbstractRtfOutput::setCommentRangeEnd(const QString &)
{
}

bool AbstractRtfOutput::beginComment(const QString &, const QString &, const QString &, const QDateTime &)
{
    return false;
}

void AbstractRtfOutput::endComment()
{
}

void AbstractRtfOutput::setTitlePage(bool)
{
}

void AbstractRtfOutput::setFacingPages(bool)
{
}

bool AbstractRtfOutput::beginHeaderFooter(HeaderFooterKind)
{
    return false;
}

void AbstractRtfOutput::endHeaderFooter()
{
}

void AbstractRtfOutput::beginTextBox()
{
}

void AbstractRtfOutput::endTextBox()
{
}

} // namespace Tavisk

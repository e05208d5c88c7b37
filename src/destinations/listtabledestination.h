#ifndef TAVISK_LISTTABLEDESTINATION_H
#define TAVISK_LISTTABLEDESTINATION_H

#include "destination.h"

#include <tavisk/listlevel.h>

#include <QList>

namespace Tavisk
{

/**
 * The list table, {\\*\\listtable {\\list ... \\listidN} ...}: the definitions
 * that the list override table and then the paragraphs (\\lsN\\ilvlN) refer
 * to.
 *
 * Each {\\list ...} becomes one AbstractRtfOutput::defineList() call with its
 * levels, each read from a {\\listlevel ...} group: \\levelnfc (or
 * \\levelnfcn, which wins) gives the number style, \\levelstartat the first
 * number, \\fi and \\li the indents, and {\\leveltext \\'02\\'00.;} the text
 * around the number. The level text starts with its length; the characters
 * \\'00 to \\'08 in it stand for the numbers of the levels, at the positions
 * {\\levelnumbers \\'01;} lists. The text before the first number becomes the
 * level's prefix, the text after the last its suffix; a bullet level's text
 * is its bullet. A numbered level whose text holds no number shows only its
 * text, which no list style can draw, so it is handed on as
 * ListNumberStyle::None.
 *
 * The groups inside the table open no destinations of their own, so the
 * words say where a list or level starts: \\list, \\listlevel, and \\listname
 * or \\listid after a list's levels. A list keeps at most nine levels.
 */
class TAVISK_EXPORT ListTableDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    ListTableDestination(AbstractRtfOutput *output, const QString &name);
    /// Destroys the handler.
    ~ListTableDestination() override;

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

private:
    enum class TextMode : quint8 {
        Ignore, // text outside the level text and level numbers (\listname...)
        LevelText,
        LevelNumbers,
    };

    void startList();
    void finishList();
    void startLevel();
    void finishLevel();
    void appendLevelCharacter(QChar character);

    QList<ListLevel> m_levels;
    ListLevel m_level;
    QString m_levelText;
    QList<int> m_levelNumbers;
    int m_listId = 0;
    int m_levelTextLength = -1; // the leading length byte, once read
    int m_numberFormat = 0;
    int m_newNumberFormat = -1; // \levelnfcn, when given
    qint64 m_charactersToSkip = 0;
    int m_unicodeSkip = 1;
    TextMode m_textMode = TextMode::Ignore;
    bool m_inList = false;
    bool m_inLevel = false;
    bool m_haveLevelText = false;
};

} // namespace Tavisk

#endif

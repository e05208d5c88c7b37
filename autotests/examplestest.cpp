// Tests of the example programs' code: pasting RTF from the clipboard.

#include "richpaste/richpaste.h"

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>

class ExamplesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteRtf_data();
    void pasteRtf();
};

void ExamplesTest::pasteRtf_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("text");
    const QByteArray rtf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 Caf\\'e9 {\\b bold}\\par}");
    QTest::newRow("X11 clipboard") << QStringLiteral("text/rtf") << rtf << true << QStringLiteral("before Café bold\nafter");
    QTest::newRow("Windows clipboard") << QStringLiteral("Rich Text Format") << rtf << true
                                       << QStringLiteral("before Café bold\nafter");
    QTest::newRow("no RTF offered") << QStringLiteral("text/plain") << QByteArray("plain") << false
                                    << QStringLiteral("before after");
    QTest::newRow("not RTF") << QStringLiteral("text/rtf") << QByteArray("plain") << false
                             << QStringLiteral("before after");
}

void ExamplesTest::pasteRtf()
{
    QFETCH(QString, mimeType);
    QFETCH(QByteArray, data);
    QFETCH(bool, pasted);
    QFETCH(QString, text);
    QMimeData mime;
    mime.setData(mimeType, data);
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("before after"));
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(7);
    QCOMPARE(::pasteRtf(&mime, cursor), pasted);
    QCOMPARE(edit.toPlainText(), text);
    if (pasted) {
        // The formatting comes along: "bold" is bold in the editor.
        const int boldAt = edit.toPlainText().indexOf(QStringLiteral("bold")) + 1;
        QTextCursor probe(edit.document());
        probe.setPosition(boldAt);
        QCOMPARE(probe.charFormat().fontWeight(), int(QFont::Bold));
    }
}

QTEST_MAIN(ExamplesTest)
#include "examplestest.moc"

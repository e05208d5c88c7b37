// richpaste: a text editor that pastes RTF from the clipboard with Tavisk.
// Copy from a word processor, then paste with Ctrl+V.

#include "richpaste.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RichPasteEdit edit;
    edit.setWindowTitle(QStringLiteral("Paste RTF here"));
    edit.resize(640, 480);
    edit.show();
    return app.exec();
}

// Tries the player panel by hand: playerdemo [FILE]; files may also be
// dropped on the window.
#include "PlayerDemo.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PlayerDemo demo;
    demo.resize(720, 560);
    demo.show();
    if (argc > 1)
        demo.openFile(QString::fromLocal8Bit(argv[1]));
    return app.exec();
}

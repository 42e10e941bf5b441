// The floor of the start-up figures: the least Qt Widgets program that puts a window
// on screen, as big as the questionnaire (701 x 513). Whatever the program costs above
// this is its own doing.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(701, 513);
    window.show();
    return QApplication::exec();
}

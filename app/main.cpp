#include "datasource/querycommand.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "query")
        return hakobee::runQueryCommand(argc, argv);
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    return app.exec();
}

#include "datasource/querycommand.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "query")
        return hakobee::runQueryCommand(argc, argv);
    QApplication app(argc, argv);
    return hakobee::runProgram(app);
}

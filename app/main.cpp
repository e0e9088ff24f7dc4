#include "cli/printcommand.h"
#include "cli/printerscommand.h"
#include "cli/querycommand.h"
#include "ui/program.h"

#include <QByteArray>

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "query")
        return hakobee::runQueryCommand(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "print")
        return hakobee::runPrintCommand(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "printers")
        return hakobee::runPrintersCommand(argc, argv);
    return hakobee::runProgram(argc, argv);
}

// make-sample-mdb FILE
// Writes the sample database that ships beside the program: table Master
// with a shop's products, so a new installation prints real labels at once.
#include "core/error.h"
#include "mdbwriter/mdbwriter.h"
#include "testdata/sampleproducts.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make-sample-mdb FILE\n");
        return 2;
    }
    try {
        hakobee::mdbwriter::writeDatabase(arguments[1], {hakobee::testdata::sampleTable()});
    } catch (const hakobee::Error& error) {
        std::fprintf(stderr, "make-sample-mdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
